#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace wvs {

// Windows that the main menu and the log-in's initial screen open by name.
// Each window's file registers itself with WVS_REGISTER_FORM, so the menu needs
// no knowledge of the windows' classes.
class FormRegistry {
public:
    using Creator = std::function<QDialog *(QWidget *parent)>;
    static void add(const QString &name, Creator creator);
    static bool contains(const QString &name);
    static QDialog *create(const QString &name, QWidget *parent = nullptr);
    // Creates the window, sets its Tag, shows it modally and deletes it.
    // Returns false when no window of that name exists.
    static bool open(const QString &name, const QString &tag = QString(), QWidget *parent = nullptr);
    static QStringList names();
};

struct FormRegistration {
    FormRegistration(const char *name, FormRegistry::Creator creator)
    {
        FormRegistry::add(QString::fromUtf8(name), std::move(creator));
    }
};

} // namespace wvs

#define WVS_REGISTER_FORM(Class)                                                                    \
    static ::wvs::FormRegistration wvsFormRegistration_##Class(#Class, [](QWidget *parent) -> QDialog * { \
        return new Class(parent);                                                                   \
    })
