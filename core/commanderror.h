#pragma once

#include <QString>
#include <stdexcept>

namespace dezenario {

// A failed operation of a control, the printer or the browser, or a text that
// is no number. It ends the command where it happens; what was done stays done.
class CommandError : public std::runtime_error
{
public:
    CommandError(int number, const QString &description)
        : std::runtime_error(description.toStdString()),
          m_number(number),
          m_description(description)
    {
    }
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// Error numbers follow the classic runtime's, so a user's report stays familiar.
namespace errors {
constexpr int InvalidArgument = 5; // an alignment that puts a mark off the paper
constexpr int TypeMismatch = 13; // a text that is no number
constexpr int Internal = 51; // a fault of the program itself, met by the window's guard
constexpr int Overflow = 6; // a number out of range
constexpr int OutOfMemory = 7;
constexpr int PermissionDenied = 70; // the user's settings cannot be written
constexpr int CannotCreateObject = 429; // no browser to open the site
constexpr int PrinterError = 482;
constexpr int NoPrinter = 484;
} // namespace errors

} // namespace dezenario
