#pragma once
// Texts the core builds (messages, captions, the names of the function-key list) are the
// system's own texts: the Chinese interface shows them as they are. The gui shows every one of
// them through translateCoreText(), which looks it up in the translation under the context
// "CoreText":
//   - a fixed text is looked up as it stands ("延时越界");
//   - a text built around values (a file name, a number) is matched against the patterns the
//     core builds it from ("Save changes to %1 project?"); the translated pattern gets the values
//     back, each value itself looked up as a fixed text (the "无标题" of an untitled project).
// A message of several lines is translated line by line. A text that is in neither list is
// shown unchanged.

#include <QString>
#include <QStringList>
#include <string>

namespace vanta {

inline constexpr char kCoreTextContext[] = "CoreText";

QString translateCoreText(const QString& text);
QString translateCoreText(const std::string& text);

// The patterns of the texts built around values, as the core builds them (%1, %2 for the
// values); for tests.
QStringList coreTextPatterns();
// The fixed texts of the core that are shown to users; for tests.
QStringList coreFixedTexts();

}  // namespace vanta
