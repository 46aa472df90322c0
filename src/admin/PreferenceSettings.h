#pragma once
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

// The single Preferences row.
struct PreferenceValues {
    bool myob = false;
    bool xero = false;
    bool gstInclusive = false;
    bool emailHtml = false;
    bool showCostOnSchedPrint = false;
    bool showCostOnSchedEmail = false;
    bool portal = false;
    bool showCostOnPortal = false;
    bool showPhoneOnSchedEmail = false;
    bool showPhoneOnPortal = false;
    double taxRate = 0;
    QString xeroTaxRateName;
    QString emailProvider;      // "Outlook" or "Other"; empty before the first save
    QString smtpServer;
    QString smtpPort;
    bool smtpSsl = false;
    QString smtpUserName;
    QString smtpPassword;
    QString smtpTestEmail;

    bool smtp() const { return emailProvider == QLatin1String("Other"); }
};

class PreferenceSettings {
public:
    static std::optional<PreferenceValues> load();
    // Replaces the row whole, every field of v, in one transaction.
    static void save(const PreferenceValues &v);
    // The window's save, in one transaction: only the fields that differ from
    // what the window was filled from (shown: the stored row, or the initial
    // state when there was none) are written, so another workstation's change
    // to the others is kept; the Xero tax rate name, which the window does not
    // show, is never written. A row not there is added.
    static void save(const PreferenceValues &v, const PreferenceValues &shown);

    // A typed number as the program reads one (an optional sign, digits, a
    // decimal point); false for anything else, the empty box included.
    static bool parseNumber(const QString &text, double *value = nullptr);

    using Ask = std::function<bool(const QString &)>;

    // The box a failed check sends the user back to, and what the window shows.
    enum class Field { None, TaxRate, Server, Port, UserName, Password };
    struct Check {
        Field field = Field::None;
        QString message;  // empty after a No to the tax question
        bool ok() const { return field == Field::None; }
    };
    // The checks of the preferences window's save, in order; the first
    // failure ends them (a No from ask to the tax question fails too).
    // taxRateText is the rate box as typed; v carries the ticks and the SMTP
    // boxes.
    static Check check(const PreferenceValues &v, const QString &taxRateText, const Ask &ask);
    // The rate a save stores for the box's text: 0 for an empty box.
    static double taxRateFor(const QString &taxRateText);

    // What becomes of the main window's Accounts menu after a save: enabled
    // when a package is chosen and the level has an Accounts right, disabled
    // when no package is chosen, unchanged otherwise.
    static std::optional<bool> accountsMenuAfterSave(bool myob, bool xero, int level);

    // The caption of the tax box for an installation country.
    static QString gstInclusiveCaption(const QString &country);
};

} // namespace wvs
