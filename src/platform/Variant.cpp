#include "Variant.h"

#include <cmath>

Variant Variant::integer(qint64 value) {
    Variant v;
    v.type_ = Type::Integer;
    v.integer_ = value;
    return v;
}

Variant Variant::real(double value) {
    Variant v;
    v.type_ = Type::Real;
    v.real_ = value;
    return v;
}

Variant Variant::text(const QString& value) {
    Variant v;
    v.type_ = Type::Text;
    v.text_ = value;
    return v;
}

Variant Variant::date(const QDate& value) {
    Variant v;
    v.type_ = Type::Date;
    v.date_ = value;
    return v;
}

Variant Variant::time(const QTime& value) {
    Variant v;
    v.type_ = Type::Time;
    v.time_ = value;
    return v;
}

Variant Variant::bytes(const QByteArray& value) {
    Variant v;
    v.type_ = Type::Bytes;
    v.bytes_ = value;
    return v;
}

QString realText(double value) {
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString Variant::toString() const {
    switch (type_) {
    case Type::Null:
        return {};
    case Type::Integer:
        return QString::number(integer_);
    case Type::Real:
        return realText(real_);
    case Type::Text:
        return text_;
    case Type::Date:
        return date_.toString(QStringLiteral("dd/MM/yyyy"));
    case Type::Time:
        return time_.toString(QStringLiteral("hh:mm:ss"));
    case Type::Bytes:
        return QStringLiteral("X'%1'").arg(QString::fromLatin1(bytes_.toHex().toUpper()));
    }
    return {};
}

qint64 Variant::toInteger() const {
    switch (type_) {
    case Type::Integer:
        return integer_;
    case Type::Real:
        return static_cast<qint64>(std::llround(real_));
    case Type::Text:
        return text_.trimmed().toLongLong();
    default:
        return 0;
    }
}

double Variant::toReal() const {
    switch (type_) {
    case Type::Integer:
        return static_cast<double>(integer_);
    case Type::Real:
        return real_;
    case Type::Text: {
        QString t = text_.trimmed();
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        return t.toDouble();
    }
    default:
        return 0;
    }
}

QDate Variant::toDate() const {
    if (type_ == Type::Date)
        return date_;
    if (type_ == Type::Text)
        return QDate::fromString(text_, QStringLiteral("dd/MM/yyyy"));
    return {};
}

QTime Variant::toTime() const {
    if (type_ == Type::Time)
        return time_;
    if (type_ == Type::Text)
        return QTime::fromString(text_, QStringLiteral("hh:mm:ss"));
    return {};
}

QByteArray Variant::toBytes() const {
    return type_ == Type::Bytes ? bytes_ : toString().toUtf8();
}
