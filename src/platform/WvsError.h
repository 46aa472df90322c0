#pragma once
#include <QString>
#include <exception>

namespace wvs {

// A trapped failure: the number and description handed to the error reporter.
class WvsError : public std::exception {
public:
    WvsError(long number, QString description)
        : number_(number), description_(std::move(description)), what_(description_.toStdString()) {}
    long number() const { return number_; }
    const QString &description() const { return description_; }
    const char *what() const noexcept override { return what_.c_str(); }

private:
    long number_;
    QString description_;
    std::string what_;
};

// Error numbers the program raises itself.
namespace ErrorNumber {
constexpr long Database = 3000;        // a statement failed
// The shared database stayed busy at another workstation past the wait:
// shown as its own text, the program goes on (the save is rolled back and
// the window keeps what was typed).
constexpr long DatabaseBusy = 3260;
constexpr long Recoverable = 7753;     // shown as its own text, the program goes on
constexpr long NotInList = 2237;       // typed text matches no item of a list
constexpr long SilentExit = -2147156504L;
constexpr long General = 5;
// What reading or writing a file can meet.
constexpr long FileNotFound = 53;
constexpr long DeviceIO = 57;
constexpr long PastEndOfFile = 62;
constexpr long PermissionDenied = 70;
constexpr long FileAccess = 75;
constexpr long PathNotFound = 76;
constexpr long BadFileFormat = 3274;
// What an imported file's line can hold wrongly.
constexpr long TooFewFields = 9;       // fewer values than the heading names
constexpr long FieldTooSmall = 3163;   // a value longer than its field takes
}

// Thrown by the process-end stand-in when a test intercepts the end of the program,
// so that the unwinding passes every error trap.
struct ProcessEnded {
    int code = 0;
};

} // namespace wvs
