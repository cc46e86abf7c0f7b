#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace pexor {

// Base of every error the program raises; the text is the French message the
// error box shows.
class Exception : public std::exception {
public:
    explicit Exception(QString message)
        : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString &Message() const noexcept { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A text that is not a valid number or date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list's bounds.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be read or written.
class EFileError : public Exception {
public:
    using Exception::Exception;
};

// The text of the error box for an exception's message: a full stop is
// appended when the last character sorts after "." (a letter gets one, a
// closing parenthesis does not).
QString ErrorBoxText(const QString &message);

} // namespace pexor
