// The English texts of this program's own checks, file handling and edits. Unlike the system's
// own texts (CoreText.cpp), the Chinese interface shows them in Chinese: translations/VantaCHS.ts
// translates exactly these, under the context "CoreText", and only the Chinese interface loads
// it. The English interface has no translation of them and shows them as the core builds them.
//
// Keep in step with the core: a pattern that no longer matches leaves its messages in English
// (the problem list's test builds every problem the checks report and finds it). Where two
// patterns match one text, the first one listed wins, so a pattern comes before a more general
// one ("the start coil's %1 %2 ..." before "the %1 %2 ..."). The values of a pattern are
// translated in turn, so a text the core builds from parts ("its station 300 lies outside the
// range 1..247 of protocol 3 (Modbus RTU)") is translated part by part: here the pattern,
// "station" and "protocol %1 (%2)".
#include <QCoreApplication>

#include "qtsupport/CoreText.h"

namespace vanta {

namespace {

const char* const kPatterns[] = {
    // the problem list: the project, the panel settings, screens
    QT_TRANSLATE_NOOP("CoreText", "the panel image would be %1 bytes, more than the panel's 32768"),
    QT_TRANSLATE_NOOP("CoreText", "the initial screen %1 does not exist; the panel would start on screen %2 instead"),
    QT_TRANSLATE_NOOP("CoreText", "the screen-saver screen %1 does not exist; the panel would show screen %2 instead"),
    QT_TRANSLATE_NOOP("CoreText", "the start coil's %1 %2 lies outside the range %3 of %4"),
    QT_TRANSLATE_NOOP("CoreText", "Choose the start coil's %1 within %2 in the alarm list."),
    QT_TRANSLATE_NOOP("CoreText", "the %1 %2 lies outside the range %3 of %4"),
    QT_TRANSLATE_NOOP("CoreText", "Choose the %1 within %2 in the panel settings."),
    QT_TRANSLATE_NOOP("CoreText", "the control register's type is number %1, but %2 offers %3"),
    QT_TRANSLATE_NOOP("CoreText", "the up key leads to screen %1, which does not exist; pressing it on the panel does nothing"),
    QT_TRANSLATE_NOOP("CoreText", "the down key leads to screen %1, which does not exist; pressing it on the panel does nothing"),
    QT_TRANSLATE_NOOP("CoreText", "the number %1 is given to more than one screen; the panel could show only the first"),
    QT_TRANSLATE_NOOP("CoreText", "it holds %1 components; the panel shows at most 255 on a screen"),
    // the problem list: the alarm list
    QT_TRANSLATE_NOOP("CoreText", "it holds %1 texts, but %2 has no alarm list; the download sends them all the same"),
    QT_TRANSLATE_NOOP("CoreText", "it holds %1 texts; the panel takes at most 255"),
    QT_TRANSLATE_NOOP("CoreText", "it holds %1 texts, but the start register has %2 coils from the bit offset on"),
    QT_TRANSLATE_NOOP("CoreText", "Keep at most %1 texts, or lower the bit offset."),
    QT_TRANSLATE_NOOP("CoreText", "alarm text %1"),
    QT_TRANSLATE_NOOP("CoreText", "the start coil's register type is number %1, but %2 offers %3"),
    // the problem list: a component's values
    QT_TRANSLATE_NOOP("CoreText", "its %1 %2 lies outside the range %3 of %4"),
    QT_TRANSLATE_NOOP("CoreText", "Choose its %1 within %2 on its page."),
    QT_TRANSLATE_NOOP("CoreText", "it names %1 %2, but %3 has none"),
    QT_TRANSLATE_NOOP("CoreText", "it names %1 %2, but %3 offers %4; the download would send the code of the last one, %5"),
    QT_TRANSLATE_NOOP("CoreText", "Choose the %1 on its page."),
    QT_TRANSLATE_NOOP("CoreText", "it shows %1 characters; a register takes at most 255"),
    QT_TRANSLATE_NOOP("CoreText", "its input limits are in the wrong order (upper %1, lower %2); the download would write upper %3, lower %4 and keep them in the project"),
    QT_TRANSLATE_NOOP("CoreText", "its full scale %1 is not above its zero scale %2; the download would write full scale %3, zero scale %4 and keep them in the project"),
    QT_TRANSLATE_NOOP("CoreText", "the value %1 of %2 lies outside %3, the values its register holds; the panel compares the low 16 bits, %4"),
    QT_TRANSLATE_NOOP("CoreText", "Change the value of %1."),
    QT_TRANSLATE_NOOP("CoreText", "entries %1 and %2 both stand for the value %3; the panel shows the text of entry %4 and never that of entry %5"),
    QT_TRANSLATE_NOOP("CoreText", "%1 entries are in use; the panel takes at most 255"),
    QT_TRANSLATE_NOOP("CoreText", "jumps to screen %1, which does not exist; the key does nothing on the panel"),
    QT_TRANSLATE_NOOP("CoreText", "Choose an existing screen or add screen %1."),
    QT_TRANSLATE_NOOP("CoreText", "it stands for key number %1, which the panel does not have"),
    QT_TRANSLATE_NOOP("CoreText", "its action %1 is none the panel knows"),
    QT_TRANSLATE_NOOP("CoreText", "it sets a coil, but %1 has no coils"),
    QT_TRANSLATE_NOOP("CoreText", "it runs a recipe action, which %1 does not have"),
    QT_TRANSLATE_NOOP("CoreText", "its recipe operation %1 is none the panel knows"),
    // the problem list: texts
    QT_TRANSLATE_NOOP("CoreText", "%1 is %2 bytes long; the panel takes at most 255"),
    QT_TRANSLATE_NOOP("CoreText", "%1 ends with half a double-byte character"),
    QT_TRANSLATE_NOOP("CoreText", "%1 holds bytes that are no GBK character (%2)"),
    QT_TRANSLATE_NOOP("CoreText", "the text of %1"),
    QT_TRANSLATE_NOOP("CoreText", "entry %1"),
    QT_TRANSLATE_NOOP("CoreText", "the bytes %1 are not a GBK character at byte offset %2"),
    QT_TRANSLATE_NOOP("CoreText", "the byte %1 is not GBK text at byte offset %2"),
    QT_TRANSLATE_NOOP("CoreText", "the text ends inside a GBK double-byte character at byte offset %1"),
    // the problem list: places on the display
    QT_TRANSLATE_NOOP("CoreText", "is %1 pixels wide, wider than the 192-pixel display; it stays at x = %2 and the panel cuts it off at the right edge"),
    QT_TRANSLATE_NOOP("CoreText", "reaches x = %1, past the display's right edge at x = 191; the panel cuts it off there"),
    QT_TRANSLATE_NOOP("CoreText", "is %1 pixels high, higher than the 64-pixel display; the panel cuts it off at the bottom edge"),
    QT_TRANSLATE_NOOP("CoreText", "reaches y = %1, past the display's bottom edge at y = 63; the panel cuts it off there"),
    QT_TRANSLATE_NOOP("CoreText", "is completely covered by %1, which the panel draws over it"),
    QT_TRANSLATE_NOOP("CoreText", "overlaps %1, which the panel draws over part of it"),
    QT_TRANSLATE_NOOP("CoreText", "the download refuses the project: %1"),
    // the names inside the problems: what is out of range, protocols, components
    QT_TRANSLATE_NOOP("CoreText", "protocol %1 (%2)"),
    QT_TRANSLATE_NOOP("CoreText", "protocol %1"),
    QT_TRANSLATE_NOOP("CoreText", "%1 at (%2, %3)"),
    // the download's notice of the problems, one problem a line
    QT_TRANSLATE_NOOP("CoreText", "The download cannot start: the project has %1 the panel or the download would hit (and %2)."),
    QT_TRANSLATE_NOOP("CoreText", "The download cannot start: the project has %1 the panel or the download would hit."),
    QT_TRANSLATE_NOOP("CoreText", "The project has %1."),
    QT_TRANSLATE_NOOP("CoreText", "%1 errors"),
    QT_TRANSLATE_NOOP("CoreText", "%1 error"),
    QT_TRANSLATE_NOOP("CoreText", "%1 warnings"),
    QT_TRANSLATE_NOOP("CoreText", "%1 warning"),
    QT_TRANSLATE_NOOP("CoreText", "error: screen %1: %2 at (%3, %4): %5. %6"),
    QT_TRANSLATE_NOOP("CoreText", "error: screen %1: %2. %3"),
    QT_TRANSLATE_NOOP("CoreText", "error: panel settings: %1. %2"),
    QT_TRANSLATE_NOOP("CoreText", "error: alarm list: %1. %2"),
    QT_TRANSLATE_NOOP("CoreText", "error: project: %1. %2"),
    QT_TRANSLATE_NOOP("CoreText", "warning: screen %1: %2 at (%3, %4): %5. %6"),
    QT_TRANSLATE_NOOP("CoreText", "warning: screen %1: %2. %3"),
    QT_TRANSLATE_NOOP("CoreText", "warning: panel settings: %1. %2"),
    QT_TRANSLATE_NOOP("CoreText", "warning: alarm list: %1. %2"),
    QT_TRANSLATE_NOOP("CoreText", "warning: project: %1. %2"),
    QT_TRANSLATE_NOOP("CoreText", "... and %1 more."),
    // reading, saving and importing files
    QT_TRANSLATE_NOOP("CoreText", "Cannot open %1: the file is damaged or was not written by this program (%2)."),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open %1: %2."),
    QT_TRANSLATE_NOOP("CoreText", "Cannot save %1: %2. The previous file is unchanged."),
    QT_TRANSLATE_NOOP("CoreText", "Cannot save %1: %2."),
    QT_TRANSLATE_NOOP("CoreText", "it holds %1 bytes, more than the %2 bytes of the largest %3"),
    QT_TRANSLATE_NOOP("CoreText", "it holds more than the %1 bytes of the largest %2"),
    QT_TRANSLATE_NOOP("CoreText", "%1 is read-only. Do you want to save the project under another name?"),
    QT_TRANSLATE_NOOP("CoreText", "%1 already exists. Do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "The file %1 exists already. Do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "The project was written to %1"),
    QT_TRANSLATE_NOOP("CoreText", "The import was cancelled; %1 is unchanged."),
    QT_TRANSLATE_NOOP("CoreText", "There is not enough memory to read the project file of %1 bytes"),
    QT_TRANSLATE_NOOP("CoreText", "There is not enough memory to convert the old project file of %1 bytes."),
    QT_TRANSLATE_NOOP("CoreText", "The project file %1 has version %2, which this program cannot read (it reads 1, 10, 11 and 12)."),
    QT_TRANSLATE_NOOP("CoreText", "The old project file is damaged: %1 does not convert into a readable project (%2)."),
    QT_TRANSLATE_NOOP("CoreText", "The old project file is damaged: %1."),
    QT_TRANSLATE_NOOP("CoreText", "Screen %1: the component at byte offset %2 has the unknown kind %3; the import stops."),
    // the download's refusals and the limit question
    QT_TRANSLATE_NOOP("CoreText", "The panel image would be %1 bytes, more than the panel's 32768 bytes. Remove texts, pictures or components and try again."),
    QT_TRANSLATE_NOOP("CoreText", "Screen %1 appears more than once in the screen list; the panel could show only the first of them. Give each screen its own number."),
    QT_TRANSLATE_NOOP("CoreText", "Screen %1 holds %2 components; the panel shows at most 255 on a screen."),
    QT_TRANSLATE_NOOP("CoreText", "Screen %1: %2 lies outside the 192 x 64 display; move it onto the display."),
    QT_TRANSLATE_NOOP("CoreText", "The alarm list holds %1 texts; the panel takes at most %2."),
    QT_TRANSLATE_NOOP("CoreText", "Window %1, %2: upper limit %3, lower limit %4 become upper limit %5, lower limit %6"),
    QT_TRANSLATE_NOOP("CoreText", "Window %1, %2: full scale %3, zero scale %4 become full scale %5, zero scale %6"),
};

const char* const kFixedTexts[] = {
    // the problem list: the project, the panel settings, screens
    QT_TRANSLATE_NOOP("CoreText", "Remove texts, pictures or components."),
    QT_TRANSLATE_NOOP("CoreText", "Choose an existing initial screen in the panel settings."),
    QT_TRANSLATE_NOOP("CoreText", "Choose an existing screen for the screen saver in the panel settings."),
    QT_TRANSLATE_NOOP("CoreText", "Choose the control register's type in the panel settings."),
    QT_TRANSLATE_NOOP("CoreText", "Choose an existing screen, or 0 for none, on the screen's page."),
    QT_TRANSLATE_NOOP("CoreText", "Give each screen its own number."),
    QT_TRANSLATE_NOOP("CoreText", "Move some of them to another screen."),
    // the problem list: the alarm list
    QT_TRANSLATE_NOOP("CoreText", "Choose a protocol with an alarm list to edit them."),
    QT_TRANSLATE_NOOP("CoreText", "Delete the texts after the 255th."),
    QT_TRANSLATE_NOOP("CoreText", "Choose the register type in the alarm list."),
    // the problem list: a component's values
    QT_TRANSLATE_NOOP("CoreText", "Choose another protocol or delete the component."),
    QT_TRANSLATE_NOOP("CoreText", "Lower its digits."),
    QT_TRANSLATE_NOOP("CoreText", "Set the upper limit above the lower one."),
    QT_TRANSLATE_NOOP("CoreText", "Set the full scale above the zero scale."),
    QT_TRANSLATE_NOOP("CoreText", "Give each entry its own value."),
    QT_TRANSLATE_NOOP("CoreText", "Clear the values of the entries it does not need."),
    QT_TRANSLATE_NOOP("CoreText", "Choose one of the panel's keys on its page."),
    QT_TRANSLATE_NOOP("CoreText", "Choose the key's action on its page."),
    QT_TRANSLATE_NOOP("CoreText", "it sets a coil, but no coil operation is chosen"),
    QT_TRANSLATE_NOOP("CoreText", "Choose another action for the key."),
    QT_TRANSLATE_NOOP("CoreText", "Choose ON, OFF, toggle or momentary ON on its page."),
    QT_TRANSLATE_NOOP("CoreText", "Choose the recipe operation on its page."),
    // the problem list: texts
    QT_TRANSLATE_NOOP("CoreText", "Shorten the text."),
    QT_TRANSLATE_NOOP("CoreText", "Delete the last character and type it again."),
    QT_TRANSLATE_NOOP("CoreText", "Type the text again."),
    QT_TRANSLATE_NOOP("CoreText", "its text"),
    QT_TRANSLATE_NOOP("CoreText", "the GBK code page is not available"),
    // the problem list: places on the display
    QT_TRANSLATE_NOOP("CoreText", "lies outside the 192 x 64 display (x 0..191, y 0..63)"),
    QT_TRANSLATE_NOOP("CoreText", "Move it onto the display."),
    QT_TRANSLATE_NOOP("CoreText", "Make it narrower (a shorter text, fewer digits, no double size)."),
    QT_TRANSLATE_NOOP("CoreText", "Move it left or make it narrower."),
    QT_TRANSLATE_NOOP("CoreText", "Make it lower."),
    QT_TRANSLATE_NOOP("CoreText", "Move it up or make it lower."),
    QT_TRANSLATE_NOOP("CoreText", "Move one of them, or delete the hidden one."),
    QT_TRANSLATE_NOOP("CoreText", "Move one of them so that they do not overlap."),
    QT_TRANSLATE_NOOP("CoreText", "Correct what the message names."),
    // the names inside the problems: what is out of range, protocols, components
    QT_TRANSLATE_NOOP("CoreText", "PLC station"),
    QT_TRANSLATE_NOOP("CoreText", "control register"),
    QT_TRANSLATE_NOOP("CoreText", "station"),
    QT_TRANSLATE_NOOP("CoreText", "address"),
    QT_TRANSLATE_NOOP("CoreText", "sub-address"),
    QT_TRANSLATE_NOOP("CoreText", "bit offset"),
    QT_TRANSLATE_NOOP("CoreText", "bit number"),
    QT_TRANSLATE_NOOP("CoreText", "number of digits"),
    QT_TRANSLATE_NOOP("CoreText", "number of decimals"),
    QT_TRANSLATE_NOOP("CoreText", "register count"),
    QT_TRANSLATE_NOOP("CoreText", "value"),
    QT_TRANSLATE_NOOP("CoreText", "target address"),
    QT_TRANSLATE_NOOP("CoreText", "length"),
    QT_TRANSLATE_NOOP("CoreText", "step"),
    QT_TRANSLATE_NOOP("CoreText", "limit"),
    QT_TRANSLATE_NOOP("CoreText", "number of points"),
    QT_TRANSLATE_NOOP("CoreText", "sampling interval"),
    QT_TRANSLATE_NOOP("CoreText", "register type"),
    QT_TRANSLATE_NOOP("CoreText", "module"),
    QT_TRANSLATE_NOOP("CoreText", "parameter"),
    QT_TRANSLATE_NOOP("CoreText", "Static text"),
    QT_TRANSLATE_NOOP("CoreText", "Register"),
    QT_TRANSLATE_NOOP("CoreText", "Lamp"),
    QT_TRANSLATE_NOOP("CoreText", "Function key"),
    QT_TRANSLATE_NOOP("CoreText", "Picture"),
    QT_TRANSLATE_NOOP("CoreText", "Bar graph"),
    QT_TRANSLATE_NOOP("CoreText", "Trend"),
    QT_TRANSLATE_NOOP("CoreText", "Dynamic text"),
    QT_TRANSLATE_NOOP("CoreText", "Component"),
    // the download's notice of the problems, one problem a line
    QT_TRANSLATE_NOOP("CoreText", "The problem list shows every one; correct the errors first."),
    QT_TRANSLATE_NOOP("CoreText", "Download anyway?"),
    // reading, saving and importing files
    QT_TRANSLATE_NOOP("CoreText", "it is a device, not a file"),
    QT_TRANSLATE_NOOP("CoreText", "there is not enough memory to read it"),
    QT_TRANSLATE_NOOP("CoreText", "file this program reads"),
    QT_TRANSLATE_NOOP("CoreText", "project file"),
    QT_TRANSLATE_NOOP("CoreText", "old project file"),
    QT_TRANSLATE_NOOP("CoreText", "the file or folder does not exist"),
    QT_TRANSLATE_NOOP("CoreText", "permission denied"),
    QT_TRANSLATE_NOOP("CoreText", "the disk is full"),
    QT_TRANSLATE_NOOP("CoreText", "the file system is read-only"),
    QT_TRANSLATE_NOOP("CoreText", "it is a folder"),
    QT_TRANSLATE_NOOP("CoreText", "too many symbolic links"),
    QT_TRANSLATE_NOOP("CoreText", "the file is read-only"),
    QT_TRANSLATE_NOOP("CoreText", "the header of the old file"),
    QT_TRANSLATE_NOOP("CoreText", "Open project"),
    QT_TRANSLATE_NOOP("CoreText", "Save project"),
    QT_TRANSLATE_NOOP("CoreText", "Import old project"),
    QT_TRANSLATE_NOOP("CoreText", "Replace"),
    // the download's refusals and the limit question
    QT_TRANSLATE_NOOP("CoreText", "Cancel the download"),
    QT_TRANSLATE_NOOP("CoreText", "Correct the limits and download"),
};

}  // namespace

const char* const kCoreSentenceJoin = QT_TRANSLATE_NOOP("CoreText", "%1. %2");

QStringList coreChinesePatterns() {
    QStringList list;
    for (const char* p : kPatterns)
        list << QString::fromUtf8(p);
    return list;
}

QStringList coreChineseFixedTexts() {
    QStringList list;
    for (const char* t : kFixedTexts)
        list << QString::fromUtf8(t);
    return list;
}

}  // namespace vanta
