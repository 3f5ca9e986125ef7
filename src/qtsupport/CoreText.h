#pragma once
// Texts the core builds (messages, captions, the names of the function-key list) reach the user
// through translateCoreText(), which looks them up in the translation under the context
// "CoreText". They are of two kinds:
//   - the system's own texts ("延时越界", "Open file%1 error!", the key names), listed in
//     CoreText.cpp: the English interface translates them (translations/VantaENU.ts), the Chinese
//     interface shows them exactly as they stand;
//   - the English texts of the program's own checks, file handling and edits (the problem list's
//     sentences, "Cannot save ...", the import's questions), listed in CoreTextChinese.cpp: the
//     Chinese interface translates them (translations/VantaCHS.ts, loaded beside Qt's own Chinese
//     texts), the English interface shows them as the core builds them.
// The command line prints the core's texts as they are. The lookup:
//   - a fixed text is looked up as it stands ("延时越界");
//   - a text built around values (a file name, a number) is matched against the patterns the
//     core builds it from ("Save changes to %1 project?"); the translated pattern gets the values
//     back, each value itself translated as a text of its own (the "无标题" of an untitled
//     project, the "station" and "protocol 3 (Modbus RTU)" of a range problem). A pattern not
//     translated in the interface's language is passed over.
// A message of several lines is translated line by line. A text that is in neither list is
// shown unchanged.

#include <QString>
#include <QStringList>
#include <string>

namespace vanta {

inline constexpr char kCoreTextContext[] = "CoreText";
// The Chinese translation of the program's own core texts, beside the programs.
inline constexpr char kCoreChineseTranslationFile[] = "VantaCHS.qm";

QString translateCoreText(const QString& text);
QString translateCoreText(const std::string& text);
// Two sentences the core joins with ". " (a problem's message and what to do about it), each
// translated, joined as the interface's language joins them ("。" in Chinese); the first alone
// when the second is empty.
QString translateCoreSentences(const std::string& first, const std::string& second);

// The patterns of the system's own texts built around values, as the core builds them (%1, %2
// for the values); for tests.
QStringList coreTextPatterns();
// The system's own fixed texts of the core that are shown to users; for tests.
QStringList coreFixedTexts();
// The program's own English texts that the Chinese interface translates, patterns and fixed
// texts; for tests.
QStringList coreChinesePatterns();
QStringList coreChineseFixedTexts();

// How the core joins two sentences ("%1. %2").
extern const char* const kCoreSentenceJoin;

}  // namespace vanta
