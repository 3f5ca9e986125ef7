#include "qtsupport/CoreText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace vanta {

namespace {

// Texts built around values, as the core builds them. Keep in step with the core: a pattern
// that no longer matches leaves its messages untranslated (English).
const char* const kPatterns[] = {
    // the project document
    QT_TRANSLATE_NOOP("CoreText", "Save changes to %1 project?"),
    QT_TRANSLATE_NOOP("CoreText", "Open file%1 error!"),
    QT_TRANSLATE_NOOP("CoreText", "The file %1 exists already. Do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "The project was written to %1"),
    // the screen list
    QT_TRANSLATE_NOOP("CoreText", "No. %1 window exist, do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "Do you want to delete the No. %1 window?"),
    // the compiler and the link
    QT_TRANSLATE_NOOP("CoreText", "does the file%1 exist?"),
    QT_TRANSLATE_NOOP("CoreText", "Download complete!Data %1 bytes"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Window %1, %2: upper limit %3, lower limit %4 become upper "
                      "limit %5, lower limit %6"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Window %1, %2: full scale %3, zero scale %4 become full "
                      "scale %5, zero scale %6"),
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
    QT_TRANSLATE_NOOP("CoreText", "Cancel the download"),
    QT_TRANSLATE_NOOP("CoreText", "Correct the limits and download"),
    QT_TRANSLATE_NOOP("CoreText", "Replace"),
    QT_TRANSLATE_NOOP("CoreText", "Import old project"),
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
};

// Each pattern as an anchored expression with one group per value.
const std::vector<Pattern>& patterns() {
    static const std::vector<Pattern> compiled = [] {
        std::vector<Pattern> list;
        static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
        for (const char* p : kPatterns) {
            const QString source = QString::fromUtf8(p);
            QString expression = QStringLiteral("^");
            qsizetype at = 0;
            for (auto it = placeholder.globalMatch(source); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                expression += QRegularExpression::escape(source.mid(at, m.capturedStart() - at));
                expression += QStringLiteral("(.*)");
                at = m.capturedEnd();
            }
            expression += QRegularExpression::escape(source.mid(at)) + QStringLiteral("$");
            list.push_back(
                {source,
                 QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption)});
        }
        return list;
    }();
    return compiled;
}

QString lookUp(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return QCoreApplication::translate(kCoreTextContext, utf8.constData());
}

QString translateLine(const QString& line) {
    const QString fixed = lookUp(line);
    if (fixed != line)
        return fixed;
    for (const Pattern& pattern : patterns()) {
        const QRegularExpressionMatch m = pattern.match.match(line);
        if (!m.hasMatch())
            continue;
        const QString translated = lookUp(pattern.source);
        if (translated == pattern.source)
            return line;  // no translation: the text as the core built it
        // One pass over the translation, so that a value holding "%2" stays as it is.
        QString result;
        for (qsizetype i = 0; i < translated.size(); ++i) {
            const QChar c = translated.at(i);
            if (c == QLatin1Char('%') && i + 1 < translated.size() &&
                translated.at(i + 1).isDigit()) {
                const int n = translated.at(i + 1).digitValue();
                if (n >= 1 && n <= m.lastCapturedIndex()) {
                    result += lookUp(m.captured(n));
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
