#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

// A field value as the screens receive it: null, whole number, real, text, date, time or bytes.
// Its text form is what the screens expect to read: dd/mm/yyyy, hh:mm:ss, plain whole
// numbers, reals with a decimal comma.
class Variant {
public:
    enum class Type { Null, Integer, Real, Text, Date, Time, Bytes };

    Variant() = default;
    static Variant integer(qint64 value);
    static Variant real(double value);
    static Variant text(const QString& value);
    static Variant date(const QDate& value);
    static Variant time(const QTime& value);
    // Binary data; its text form is the SQL literal X'...' of its bytes.
    static Variant bytes(const QByteArray& value);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isNumber() const { return type_ == Type::Integer || type_ == Type::Real; }

    QString toString() const;
    // The whole number of a number, or of a text that reads as one; 0 otherwise.
    qint64 toInteger() const;
    double toReal() const;
    QDate toDate() const;
    QTime toTime() const;
    QByteArray toBytes() const;

    bool operator==(const Variant& other) const = default;

private:
    Type type_ = Type::Null;
    qint64 integer_ = 0;
    double real_ = 0;
    QString text_;
    QDate date_;
    QTime time_;
    QByteArray bytes_;
};

// Reals written as the Brazilian number format writes them: "12,5", "0,125".
QString realText(double value);
