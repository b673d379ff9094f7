#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database driver: the engine's message, in the form the user is shown.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message)
        : std::runtime_error(message.toStdString())
        , message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};
