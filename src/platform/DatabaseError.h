#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database driver: the engine's message, in the form the user is shown.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message)
        : std::runtime_error(message.toStdString())
        , message_(message) {}
    // A failure the engine reported: what the program was doing, in a Portuguese sentence, then
    // the engine's own message on the next line.
    DatabaseError(const QString& sentence, const QString& engineMessage)
        : DatabaseError(sentence + QLatin1Char('\n') + engineMessage) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};
