#include "PtBrText.h"

#include <sqlite3.h>

QString foldPtBr(const QString& text) {
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            bare += c;
    }
    return bare.toCaseFolded();
}

int comparePtBr(const QString& a, const QString& b) {
    return foldPtBr(a).compare(foldPtBr(b), Qt::CaseSensitive);
}

namespace {

bool likeFrom(const QString& value, qsizetype v, const QString& pattern, qsizetype p, QChar escape) {
    while (p < pattern.size()) {
        const QChar c = pattern.at(p);
        if (c == QLatin1Char('%')) {
            while (p < pattern.size() && pattern.at(p) == QLatin1Char('%'))
                ++p;
            if (p == pattern.size())
                return true;
            for (qsizetype from = v; from <= value.size(); ++from) {
                if (likeFrom(value, from, pattern, p, escape))
                    return true;
            }
            return false;
        }
        if (v >= value.size())
            return false;
        if (c == QLatin1Char('_')) {
            ++v;
            ++p;
            continue;
        }
        QChar literal = c;
        if (!escape.isNull() && c == escape && p + 1 < pattern.size())
            literal = pattern.at(++p);
        if (value.at(v) != literal)
            return false;
        ++v;
        ++p;
    }
    return v == value.size();
}

QString textOf(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return bytes ? QString::fromUtf8(bytes, sqlite3_value_bytes(value)) : QString();
}

int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return comparePtBr(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                       QString::fromUtf8(static_cast<const char*>(b), lengthB));
}

// like(pattern, value[, escape]), as the engine calls it for "value LIKE pattern".
void like(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    QChar escape;
    if (argc == 3) {
        const QString e = textOf(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = foldPtBr(e).at(0);
    }
    sqlite3_result_int(context, likePtBr(textOf(argv[1]), textOf(argv[0]), escape) ? 1 : 0);
}

} // namespace

bool likePtBr(const QString& value, const QString& pattern, QChar escape) {
    return likeFrom(foldPtBr(value), 0, foldPtBr(pattern), 0, escape);
}

bool registerPtBrText(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_collation(db, kPtBrCollation, SQLITE_UTF8, nullptr, &collate) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 2, flags, nullptr, &like, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 3, flags, nullptr, &like, nullptr, nullptr) == SQLITE_OK;
}
