#include "PtBrText.h"

#include <QList>
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

// One element of a LIKE pattern: any run of characters, any one character, or this one.
struct LikeToken {
    enum class Kind { AnyRun, AnyOne, Literal } kind;
    QChar literal;
};

QList<LikeToken> likeTokens(const QString& pattern, QChar escape) {
    QList<LikeToken> tokens;
    tokens.reserve(pattern.size());
    for (qsizetype p = 0; p < pattern.size(); ++p) {
        const QChar c = pattern.at(p);
        if (c == QLatin1Char('%')) {
            if (tokens.isEmpty() || tokens.last().kind != LikeToken::Kind::AnyRun)
                tokens.append({LikeToken::Kind::AnyRun, {}});
        } else if (c == QLatin1Char('_')) {
            tokens.append({LikeToken::Kind::AnyOne, {}});
        } else if (!escape.isNull() && c == escape && p + 1 < pattern.size()) {
            tokens.append({LikeToken::Kind::Literal, pattern.at(++p)});
        } else {
            tokens.append({LikeToken::Kind::Literal, c});
        }
    }
    return tokens;
}

// Greedy, going back only to the last "%" met: what follows an earlier "%" already matched as
// early as it can, so no other split can help. At most value length x pattern length steps.
bool likeFrom(const QString& value, const QString& pattern, QChar escape) {
    const QList<LikeToken> tokens = likeTokens(pattern, escape);
    qsizetype v = 0, t = 0;
    qsizetype runToken = -1, runValue = 0;
    while (v < value.size()) {
        if (t < tokens.size() && tokens.at(t).kind == LikeToken::Kind::AnyRun) {
            runToken = t++;
            runValue = v;
        } else if (t < tokens.size() &&
                   (tokens.at(t).kind == LikeToken::Kind::AnyOne || tokens.at(t).literal == value.at(v))) {
            ++t;
            ++v;
        } else if (runToken >= 0) {
            // The last "%" takes one more character; the rest of the pattern starts again after it.
            t = runToken + 1;
            v = ++runValue;
        } else {
            return false;
        }
    }
    while (t < tokens.size() && tokens.at(t).kind == LikeToken::Kind::AnyRun)
        ++t;
    return t == tokens.size();
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
    return likeFrom(foldPtBr(value), foldPtBr(pattern), escape);
}

bool registerPtBrText(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_collation(db, kPtBrCollation, SQLITE_UTF8, nullptr, &collate) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 2, flags, nullptr, &like, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 3, flags, nullptr, &like, nullptr, nullptr) == SQLITE_OK;
}
