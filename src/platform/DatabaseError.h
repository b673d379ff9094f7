#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database driver: the engine's message, in the form the user is shown.
class DatabaseError : public std::runtime_error {
public:
    // What lies behind a failure, for callers that tell the user more than the engine's words.
    enum class Cause {
        Other,
        Busy,        // another program holds the file's lock
        Full,        // the disk is full
        ReadOnly,    // the file cannot be written
        FileMissing, // the file is not (or no longer) at its path; a server's database has no tables
        Unreachable, // the database server cannot be reached
    };

    explicit DatabaseError(const QString& message, Cause cause = Cause::Other,
                           const QString& engineMessage = {})
        : std::runtime_error(message.toStdString())
        , message_(message)
        , cause_(cause)
        , engineMessage_(engineMessage.isEmpty() ? message : engineMessage) {}
    // A failure the engine reported: what the program was doing, in a Portuguese sentence, then
    // the engine's own message on the next line.
    DatabaseError(const QString& sentence, const QString& engineMessage, Cause cause = Cause::Other)
        : DatabaseError(sentence + QLatin1Char('\n') + engineMessage, cause, engineMessage) {}
    const QString& message() const { return message_; }
    Cause cause() const { return cause_; }
    // The engine's own words, without the statement that failed.
    const QString& engineMessage() const { return engineMessage_; }

private:
    QString message_;
    Cause cause_;
    QString engineMessage_;
};
