// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/manualtext.h"

#include <QStringList>

namespace kelmot {

namespace {

QString unescaped(QString text) {
    static const std::pair<const char*, const char*> escapes[] = {
        {"\\(+-", "±"}, {"\\(S2", "²"}, {"\\(em", "—"}, {"\\(en", "–"},
        {"\\(Bq", "„"}, {"\\(*t", "τ"}, {"\\(:A", "Ä"}, {"\\(lq", "“"},
        {"\\(rq", "”"}, {"\\fB", ""},   {"\\fI", ""},   {"\\fR", ""},
        {"\\fP", ""},   {"\\-", "-"},   {"\\&", ""},    {"\\e", "\\"}};
    for (const auto& [from, to] : escapes)
        text.replace(QString::fromUtf8(from), QString::fromUtf8(to));
    return text;
}

// A macro's arguments: blank-separated, a quoted one kept whole.
QStringList arguments(const QString& rest) {
    QStringList args;
    QString current;
    bool quoted = false, any = false;
    for (const QChar c : rest) {
        if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c == u' ' && !quoted) {
            if (any) args << current;
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) args << current;
    return args;
}

} // namespace

QString manualText(const QString& roff) {
    QStringList out;     // finished lines
    QString paragraph;   // the words of the paragraph being filled
    bool inItem = false; // below a .TP tag: indented
    bool tagNext = false;
    const auto flush = [&] {
        if (!paragraph.isEmpty()) out << (inItem ? QStringLiteral("    ") : QString()) + paragraph;
        paragraph.clear();
    };
    const auto add = [&](const QString& words) {
        if (tagNext) { // a .TP item's tag: a line of its own
            out << words;
            tagNext = false;
            inItem = true;
            return;
        }
        if (!paragraph.isEmpty()) paragraph += u' ';
        paragraph += words;
    };
    for (const QString& line : roff.split(u'\n')) {
        if (!line.startsWith(u'.')) {
            if (!line.trimmed().isEmpty()) add(unescaped(line.trimmed()));
            continue;
        }
        const qsizetype space = line.indexOf(u' ');
        const QString macro = line.mid(1, space < 0 ? -1 : space - 1);
        const QString rest = space < 0 ? QString() : line.mid(space + 1);
        if (macro == QLatin1String("SH")) {
            flush();
            inItem = false;
            if (!out.isEmpty()) out << QString();
            out << unescaped(arguments(rest).join(u' '));
        } else if (macro == QLatin1String("PP") || macro == QLatin1String("TP")) {
            flush();
            inItem = false;
            out << QString();
            tagNext = macro == QLatin1String("TP");
        } else if (macro == QLatin1String("br")) {
            flush();
        } else if (macro == QLatin1String("B") || macro == QLatin1String("I")) {
            add(unescaped(arguments(rest).join(u' ')));
        } else if (macro.size() == 2 && QStringLiteral("BIR").contains(macro[0]) &&
                   QStringLiteral("BIR").contains(macro[1])) {
            add(unescaped(arguments(rest).join(QString()))); // alternating fonts, no blanks
        }
        // Comments (.\"), the title (.TH) and anything else show nothing.
    }
    flush();
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out.join(u'\n') + u'\n';
}

} // namespace kelmot
