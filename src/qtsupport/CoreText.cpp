#include "qtsupport/CoreText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace vanta {

namespace {

// The system's own texts: the English interface translates them (translations/VantaENU.ts), the
// Chinese one shows them as they stand. The English texts of the program's own checks, files and
// edits, which the Chinese interface translates too, are listed in CoreTextChinese.cpp.
//
// Texts built around values, as the core builds them. Keep in step with the core: a pattern
// that no longer matches leaves its messages untranslated.
const char* const kPatterns[] = {
    // the project document
    QT_TRANSLATE_NOOP("CoreText", "Save changes to %1 project?"),
    QT_TRANSLATE_NOOP("CoreText", "Open file%1 error!"),
    // the screen list
    QT_TRANSLATE_NOOP("CoreText", "No. %1 window exist, do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "Do you want to delete the No. %1 window?"),
    // the compiler and the link
    QT_TRANSLATE_NOOP("CoreText", "does the file%1 exist?"),
    QT_TRANSLATE_NOOP("CoreText", "Download complete!Data %1 bytes"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open the serial port%1!"),
    // the program's data files
    QT_TRANSLATE_NOOP("CoreText", "File %1 does not exist!"),
    QT_TRANSLATE_NOOP("CoreText", "File %1 is damaged!"),
    QT_TRANSLATE_NOOP("CoreText", "File %1 cannot be written!"),
};

// Fixed texts of the core shown to users. Listed here so that the translation carries them;
// any fixed text is looked up whether or not it is listed.
const char* const kFixedTexts[] = {
    // the download link
    QT_TRANSLATE_NOOP("CoreText", "延时越界"),
    QT_TRANSLATE_NOOP("CoreText", "通讯错误次数越界"),
    QT_TRANSLATE_NOOP("CoreText", "重发次数越界"),
    QT_TRANSLATE_NOOP("CoreText", "Communication Error!!!"),
    QT_TRANSLATE_NOOP("CoreText", "Wrong informationg!"),
    QT_TRANSLATE_NOOP("CoreText", "Download data"),
    // the compiler, the catalogue, the project file and the old-project import
    QT_TRANSLATE_NOOP("CoreText", "The protocol does not exist!"),
    QT_TRANSLATE_NOOP("CoreText", "Register Limit error, cancel?"),
    QT_TRANSLATE_NOOP("CoreText", "The file Ostra_Ptc.dat error!!!"),
    QT_TRANSLATE_NOOP("CoreText", "Is it a correct file?"),
    QT_TRANSLATE_NOOP("CoreText", "version does not match!"),
    QT_TRANSLATE_NOOP("CoreText", "File type error!"),
    QT_TRANSLATE_NOOP("CoreText", "the file type error!"),
    QT_TRANSLATE_NOOP("CoreText", "Open the file error!"),
    QT_TRANSLATE_NOOP("CoreText", "conversion accomplished!"),
    QT_TRANSLATE_NOOP("CoreText", "Load Font Lib Failure"),
    QT_TRANSLATE_NOOP("CoreText", "无标题"),
    // the screen list
    QT_TRANSLATE_NOOP("CoreText", "The window exist"),
    QT_TRANSLATE_NOOP("CoreText", "Delete current window"),
    // pictures
    QT_TRANSLATE_NOOP("CoreText", "picture size error!!!"),
    QT_TRANSLATE_NOOP("CoreText", "Open the picture error!!!"),
    QT_TRANSLATE_NOOP("CoreText", "Open picture"),
    // the keys of the function-key list
    QT_TRANSLATE_NOOP("CoreText", "‘ESC’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘←’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘→’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘↓’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘↑’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘SET’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘ENT’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘ALM’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘0’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘1’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘2’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘3’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘4’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘5’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘6’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘7’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘8’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘9’键"),
    QT_TRANSLATE_NOOP("CoreText", "‘CLR’键"),
};

struct Pattern {
    QString source;
    QRegularExpression match;
    // The literal text before the first value and after the last: a line that does not begin
    // and end with them cannot match, which is quicker to see than running the expression.
    QString head;
    QString tail;

    bool mayMatch(const QString& line) const {
        return line.size() >= head.size() + tail.size() && line.startsWith(head) &&
               line.endsWith(tail);
    }
};

// Each pattern as an anchored expression with one group per value.
const std::vector<Pattern>& patterns() {
    static const std::vector<Pattern> compiled = [] {
        std::vector<Pattern> list;
        static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
        // The program's own texts first: the system's own patterns are short and general.
        for (const QString& source : coreChinesePatterns() + coreTextPatterns()) {
            QString expression = QStringLiteral("^");
            qsizetype at = 0;
            qsizetype firstValue = -1;
            for (auto it = placeholder.globalMatch(source); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                if (firstValue < 0)
                    firstValue = m.capturedStart();
                expression += QRegularExpression::escape(source.mid(at, m.capturedStart() - at));
                expression += QStringLiteral("(.*)");
                at = m.capturedEnd();
            }
            expression += QRegularExpression::escape(source.mid(at)) + QStringLiteral("$");
            list.push_back(
                {source,
                 QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption),
                 source.left(firstValue < 0 ? source.size() : firstValue),
                 firstValue < 0 ? QString() : source.mid(at)});
        }
        return list;
    }();
    return compiled;
}

QString lookUp(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return QCoreApplication::translate(kCoreTextContext, utf8.constData());
}

// A value inside a value inside ...: a line holds no more parts than this.
constexpr int kMaxDepth = 8;

QString translateLine(const QString& line, int depth = 0) {
    const QString fixed = lookUp(line);
    if (fixed != line || depth == kMaxDepth)
        return fixed;
    for (const Pattern& pattern : patterns()) {
        if (!pattern.mayMatch(line))
            continue;
        const QRegularExpressionMatch m = pattern.match.match(line);
        if (!m.hasMatch())
            continue;
        const QString translated = lookUp(pattern.source);
        if (translated == pattern.source)
            continue;  // not translated in this language: perhaps a more general pattern is
        // One pass over the translation, so that a value holding "%2" stays as it is.
        QString result;
        for (qsizetype i = 0; i < translated.size(); ++i) {
            const QChar c = translated.at(i);
            if (c == QLatin1Char('%') && i + 1 < translated.size() &&
                translated.at(i + 1).isDigit()) {
                const int n = translated.at(i + 1).digitValue();
                if (n >= 1 && n <= m.lastCapturedIndex()) {
                    result += translateLine(m.captured(n), depth + 1);
                    ++i;
                    continue;
                }
            }
            result += c;
        }
        return result;
    }
    return line;
}

}  // namespace

QString translateCoreText(const QString& text) {
    if (text.isEmpty())
        return text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = translateLine(line);
    return lines.join(QLatin1Char('\n'));
}

QString translateCoreText(const std::string& text) {
    return translateCoreText(QString::fromStdString(text));
}

QString translateCoreSentences(const std::string& first, const std::string& second) {
    if (second.empty())
        return translateCoreText(first);
    const QString join = QCoreApplication::translate(kCoreTextContext, kCoreSentenceJoin);
    QString head = translateCoreText(first);
    // A first sentence that ends as the join begins ("." or "。") gives its end to the join, as
    // the core's own text does.
    const qsizetype at = join.indexOf(QLatin1String("%1"));
    if (at >= 0 && at + 2 < join.size() && head.endsWith(join.at(at + 2)))
        head.chop(1);
    return join.arg(head, translateCoreText(second));
}

QStringList coreTextPatterns() {
    QStringList list;
    for (const char* p : kPatterns)
        list << QString::fromUtf8(p);
    return list;
}

QStringList coreFixedTexts() {
    QStringList list;
    for (const char* t : kFixedTexts)
        list << QString::fromUtf8(t);
    return list;
}

}  // namespace vanta
