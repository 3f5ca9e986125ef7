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

// Marks a text for the Chinese table only: scripts/update-translations reads it as
// QT_TRANSLATE_NOOP when it refreshes VantaCHS.ts, and the English translation never sees it (an
// English text needs no English translation). The texts that the English translation also
// rewords keep QT_TRANSLATE_NOOP, so that both tables carry them.
#define VANTA_CORE_ENGLISH(context, text) text

namespace vanta {

namespace {

const char* const kPatterns[] = {
    // a damaged file's detail where it names a byte offset within the text; "%1 at byte offset
    // %2", at the end of this list, takes an offset at the end of any other
    VANTA_CORE_ENGLISH("CoreText", "screen %1 (its record at byte offset %2)"),
    VANTA_CORE_ENGLISH("CoreText", "screen %1, component %2 (%3 at byte offset %4)"),
    VANTA_CORE_ENGLISH("CoreText", "the alarm list (its texts at byte offset %1)"),
    VANTA_CORE_ENGLISH("CoreText", "the header ends at byte offset %1 before its 80 bytes"),
    VANTA_CORE_ENGLISH("CoreText",
                       "screen %1 has a component at byte offset %2 beyond the end of the file"),
    VANTA_CORE_ENGLISH("CoreText",
                       "screen %1: the picture at byte offset %2 has an impossible size %3"),
    VANTA_CORE_ENGLISH("CoreText",
                       "screen %1: the component at byte offset %2 runs past the end of the file"),
    VANTA_CORE_ENGLISH("CoreText",
                       "a screen header at byte offset %1 runs past the end of the file"),
    VANTA_CORE_ENGLISH("CoreText",
                       "the %1 alarm texts at byte offset %2 run past the end of the file"),
    VANTA_CORE_ENGLISH("CoreText", "Class \"%1\" has schema %2, expected %3 at byte offset %4"),
    VANTA_CORE_ENGLISH("CoreText",
                       "%1 at (%2, %3) lies off the 192 x 64 display (x 0..191, y 0..63)"),
    // the problem list: the project, the panel settings, screens
    VANTA_CORE_ENGLISH("CoreText",
                       "the panel image would be %1 bytes, more than the panel's 32768"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "the initial screen %1 does not exist; the panel would start on screen %2 instead"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "the screen-saver screen %1 does not exist; the panel would show screen %2 instead"),
    VANTA_CORE_ENGLISH("CoreText", "the start coil's %1 %2 lies outside the range %3 of %4"),
    VANTA_CORE_ENGLISH("CoreText", "Choose the start coil's %1 within %2 in the alarm list."),
    VANTA_CORE_ENGLISH("CoreText", "the %1 %2 lies outside the range %3 of %4"),
    VANTA_CORE_ENGLISH("CoreText", "Choose the %1 within %2 in the panel settings."),
    VANTA_CORE_ENGLISH("CoreText", "the control register's type is number %1, but %2 offers %3"),
    VANTA_CORE_ENGLISH("CoreText",
                       "the up key leads to screen %1, which does not exist; pressing it on the "
                       "panel does nothing"),
    VANTA_CORE_ENGLISH("CoreText",
                       "the down key leads to screen %1, which does not exist; pressing it on the "
                       "panel does nothing"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "the number %1 is given to more than one screen; the panel could show only the first"),
    VANTA_CORE_ENGLISH("CoreText",
                       "it holds %1 components; the panel shows at most 255 on a screen"),
    // the problem list: the alarm list
    VANTA_CORE_ENGLISH(
        "CoreText",
        "it holds %1 texts, but %2 has no alarm list; the download sends them all the same"),
    VANTA_CORE_ENGLISH("CoreText", "it holds %1 texts; the panel takes at most 255"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "it holds %1 texts, but the start register has %2 coils from the bit offset on"),
    VANTA_CORE_ENGLISH("CoreText", "Keep at most %1 texts, or lower the bit offset."),
    VANTA_CORE_ENGLISH("CoreText", "alarm text %1"),
    VANTA_CORE_ENGLISH("CoreText", "the start coil's register type is number %1, but %2 offers %3"),
    // the problem list: a component's values
    VANTA_CORE_ENGLISH("CoreText", "its %1 %2 lies outside the range %3 of %4"),
    VANTA_CORE_ENGLISH("CoreText", "Choose its %1 within %2 on its page."),
    VANTA_CORE_ENGLISH("CoreText", "it names %1 %2, but %3 has none"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "it names %1 %2, but %3 offers %4; the download would send the code of the last one, %5"),
    VANTA_CORE_ENGLISH("CoreText", "Choose the %1 on its page."),
    VANTA_CORE_ENGLISH("CoreText", "it shows %1 characters; a register takes at most 255"),
    VANTA_CORE_ENGLISH("CoreText",
                       "its input limits are in the wrong order (upper %1, lower %2); the download "
                       "would write upper %3, lower %4 and keep them in the project"),
    VANTA_CORE_ENGLISH("CoreText",
                       "its full scale %1 is not above its zero scale %2; the download would write "
                       "full scale %3, zero scale %4 and keep them in the project"),
    VANTA_CORE_ENGLISH("CoreText",
                       "the value %1 of %2 lies outside %3, the values its register holds; the "
                       "panel compares the low 16 bits, %4"),
    VANTA_CORE_ENGLISH("CoreText", "Change the value of %1."),
    VANTA_CORE_ENGLISH("CoreText",
                       "entries %1 and %2 both stand for the value %3; the panel shows the text of "
                       "entry %4 and never that of entry %5"),
    VANTA_CORE_ENGLISH("CoreText", "%1 entries are in use; the panel takes at most 255"),
    VANTA_CORE_ENGLISH(
        "CoreText", "jumps to screen %1, which does not exist; the key does nothing on the panel"),
    VANTA_CORE_ENGLISH("CoreText", "Choose an existing screen or add screen %1."),
    VANTA_CORE_ENGLISH("CoreText", "it stands for key number %1, which the panel does not have"),
    VANTA_CORE_ENGLISH("CoreText", "its action %1 is none the panel knows"),
    VANTA_CORE_ENGLISH("CoreText", "it sets a coil, but %1 has no coils"),
    VANTA_CORE_ENGLISH("CoreText", "it runs a recipe action, which %1 does not have"),
    VANTA_CORE_ENGLISH("CoreText", "its recipe operation %1 is none the panel knows"),
    // the problem list: texts
    VANTA_CORE_ENGLISH("CoreText", "%1 is %2 bytes long; the panel takes at most 255"),
    VANTA_CORE_ENGLISH("CoreText", "%1 ends with half a double-byte character"),
    VANTA_CORE_ENGLISH("CoreText", "%1 holds bytes that are no GBK character (%2)"),
    VANTA_CORE_ENGLISH("CoreText", "the text of %1"),
    VANTA_CORE_ENGLISH("CoreText", "entry %1"),
    VANTA_CORE_ENGLISH("CoreText", "the bytes %1 are not a GBK character at byte offset %2"),
    VANTA_CORE_ENGLISH("CoreText", "the byte %1 is not GBK text at byte offset %2"),
    // a text field refusing what was typed
    VANTA_CORE_ENGLISH("CoreText",
                       "The character \"%1\" (%2) cannot be stored in the GBK code page"),
    VANTA_CORE_ENGLISH("CoreText",
                       "the text ends inside a GBK double-byte character at byte offset %1"),
    // the problem list: places on the display
    VANTA_CORE_ENGLISH(
        "CoreText",
        "is %1 pixels wide, wider than the 192-pixel display; it stays at x = %2 and "
        "the panel cuts it off at the right edge"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "reaches x = %1, past the display's right edge at x = 191; the panel cuts it off there"),
    VANTA_CORE_ENGLISH("CoreText",
                       "is %1 pixels high, higher than the 64-pixel display; the panel cuts it off "
                       "at the bottom edge"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "reaches y = %1, past the display's bottom edge at y = 63; the panel cuts it off there"),
    VANTA_CORE_ENGLISH("CoreText", "is completely covered by %1, which the panel draws over it"),
    VANTA_CORE_ENGLISH("CoreText", "overlaps %1, which the panel draws over part of it"),
    VANTA_CORE_ENGLISH("CoreText", "the download refuses the project: %1"),
    // the names inside the problems: what is out of range, protocols, components
    VANTA_CORE_ENGLISH("CoreText", "protocol %1 (%2)"),
    VANTA_CORE_ENGLISH("CoreText", "protocol %1"),
    VANTA_CORE_ENGLISH("CoreText", "%1 at (%2, %3)"),
    // the download's notice of the problems, one problem a line
    VANTA_CORE_ENGLISH("CoreText",
                       "The download cannot start: the project has %1 the panel or the download "
                       "would hit (and %2)."),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "The download cannot start: the project has %1 the panel or the download would hit."),
    VANTA_CORE_ENGLISH("CoreText", "The project has %1."),
    VANTA_CORE_ENGLISH("CoreText", "%1 errors"),
    VANTA_CORE_ENGLISH("CoreText", "%1 error"),
    VANTA_CORE_ENGLISH("CoreText", "%1 warnings"),
    VANTA_CORE_ENGLISH("CoreText", "%1 warning"),
    VANTA_CORE_ENGLISH("CoreText", "error: screen %1: %2 at (%3, %4): %5. %6"),
    VANTA_CORE_ENGLISH("CoreText", "error: screen %1: %2. %3"),
    VANTA_CORE_ENGLISH("CoreText", "error: panel settings: %1. %2"),
    VANTA_CORE_ENGLISH("CoreText", "error: alarm list: %1. %2"),
    VANTA_CORE_ENGLISH("CoreText", "error: project: %1. %2"),
    VANTA_CORE_ENGLISH("CoreText", "warning: screen %1: %2 at (%3, %4): %5. %6"),
    VANTA_CORE_ENGLISH("CoreText", "warning: screen %1: %2. %3"),
    VANTA_CORE_ENGLISH("CoreText", "warning: panel settings: %1. %2"),
    VANTA_CORE_ENGLISH("CoreText", "warning: alarm list: %1. %2"),
    VANTA_CORE_ENGLISH("CoreText", "warning: project: %1. %2"),
    VANTA_CORE_ENGLISH("CoreText", "... and %1 more."),
    // reading, saving and importing files
    VANTA_CORE_ENGLISH(
        "CoreText", "Cannot open %1: the file is damaged or was not written by this program (%2)."),
    VANTA_CORE_ENGLISH("CoreText", "Cannot open %1: %2."),
    VANTA_CORE_ENGLISH("CoreText", "Cannot save %1: %2. The previous file is unchanged."),
    VANTA_CORE_ENGLISH("CoreText", "Cannot save %1: %2."),
    VANTA_CORE_ENGLISH("CoreText", "it holds %1 bytes, more than the %2 bytes of the largest %3"),
    VANTA_CORE_ENGLISH("CoreText", "it holds more than the %1 bytes of the largest %2"),
    VANTA_CORE_ENGLISH("CoreText",
                       "%1 is read-only. Do you want to save the project under another name?"),
    VANTA_CORE_ENGLISH("CoreText", "%1 already exists. Do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "The file %1 exists already. Do you want to replace it?"),
    QT_TRANSLATE_NOOP("CoreText", "The project was written to %1"),
    VANTA_CORE_ENGLISH("CoreText", "The import was cancelled; %1 is unchanged."),
    VANTA_CORE_ENGLISH("CoreText",
                       "There is not enough memory to read the project file of %1 bytes"),
    VANTA_CORE_ENGLISH("CoreText",
                       "There is not enough memory to convert the old project file of %1 bytes."),
    VANTA_CORE_ENGLISH("CoreText",
                       "The project file %1 has version %2, which this program cannot read (it "
                       "reads 1, 10, 11 and 12)."),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "The old project file is damaged: %1 does not convert into a readable project (%2)."),
    VANTA_CORE_ENGLISH("CoreText", "The old project file is damaged: %1."),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "Screen %1: the component at byte offset %2 has the unknown kind %3; the import stops."),
    // the download's refusals and the limit question
    VANTA_CORE_ENGLISH("CoreText",
                       "The panel image would be %1 bytes, more than the panel's 32768 bytes. "
                       "Remove texts, pictures or components and try again."),
    VANTA_CORE_ENGLISH("CoreText",
                       "Screen %1 appears more than once in the screen list; the panel could show "
                       "only the first of them. Give each screen its own number."),
    VANTA_CORE_ENGLISH("CoreText",
                       "Screen %1 holds %2 components; the panel shows at most 255 on a screen."),
    VANTA_CORE_ENGLISH(
        "CoreText", "Screen %1: %2 lies outside the 192 x 64 display; move it onto the display."),
    VANTA_CORE_ENGLISH("CoreText", "The alarm list holds %1 texts; the panel takes at most %2."),
    QT_TRANSLATE_NOOP(
        "CoreText",
        "Window %1, %2: upper limit %3, lower limit %4 become upper limit %5, lower limit %6"),
    QT_TRANSLATE_NOOP(
        "CoreText",
        "Window %1, %2: full scale %3, zero scale %4 become full scale %5, zero scale %6"),
    // a damaged file's detail: what the reader found, then where ("... at byte offset 812")
    VANTA_CORE_ENGLISH("CoreText", "the description of screen %1 runs past the end of the file"),
    VANTA_CORE_ENGLISH("CoreText", "Unexpected end of data reading %1 (%2 bytes needed, %3 left)"),
    VANTA_CORE_ENGLISH("CoreText", "The count of %1 (%2) does not fit in the %3 bytes that remain"),
    VANTA_CORE_ENGLISH("CoreText", "The count %1 exceeds the %2 bytes that remain"),
    VANTA_CORE_ENGLISH("CoreText", "The string length %1 exceeds the %2 bytes that remain"),
    VANTA_CORE_ENGLISH("CoreText", "A class name of length %1 is not a class name"),
    VANTA_CORE_ENGLISH("CoreText", "Unknown class \"%1\""),
    VANTA_CORE_ENGLISH("CoreText", "A reference to an earlier object (index %1) is not allowed"),
    VANTA_CORE_ENGLISH("CoreText", "The class index %1 does not name a class read before"),
    VANTA_CORE_ENGLISH("CoreText", "No object of class \"%1\" can be created"),
    VANTA_CORE_ENGLISH("CoreText", "component record of kind %1 where kind %2 was expected"),
    VANTA_CORE_ENGLISH("CoreText", "picture of %1 bytes runs past the end of the file"),
    VANTA_CORE_ENGLISH("CoreText", "screen %1 of the screen list is not a screen"),
    VANTA_CORE_ENGLISH("CoreText", "%1 at byte offset %2"),
    // an undo or redo step that does not fit the project (a fault of the editor's own)
    VANTA_CORE_ENGLISH("CoreText", "the record is not a %1"),
    VANTA_CORE_ENGLISH("CoreText",
                       "the edit names screen position %1, which the project does not have"),
    VANTA_CORE_ENGLISH(
        "CoreText",
        "the edit names component %1 of screen position %2, which the project does not have"),
};

const char* const kFixedTexts[] = {
    // the problem list: the project, the panel settings, screens
    VANTA_CORE_ENGLISH("CoreText", "Remove texts, pictures or components."),
    VANTA_CORE_ENGLISH("CoreText", "Choose an existing initial screen in the panel settings."),
    VANTA_CORE_ENGLISH("CoreText",
                       "Choose an existing screen for the screen saver in the panel settings."),
    VANTA_CORE_ENGLISH("CoreText", "Choose the control register's type in the panel settings."),
    VANTA_CORE_ENGLISH("CoreText",
                       "Choose an existing screen, or 0 for none, on the screen's page."),
    VANTA_CORE_ENGLISH("CoreText", "Give each screen its own number."),
    VANTA_CORE_ENGLISH("CoreText", "Move some of them to another screen."),
    // the problem list: the alarm list
    VANTA_CORE_ENGLISH("CoreText", "Choose a protocol with an alarm list to edit them."),
    VANTA_CORE_ENGLISH("CoreText", "Delete the texts after the 255th."),
    VANTA_CORE_ENGLISH("CoreText", "Choose the register type in the alarm list."),
    // the problem list: a component's values
    VANTA_CORE_ENGLISH("CoreText", "Choose another protocol or delete the component."),
    VANTA_CORE_ENGLISH("CoreText", "Lower its digits."),
    VANTA_CORE_ENGLISH("CoreText", "Set the upper limit above the lower one."),
    VANTA_CORE_ENGLISH("CoreText", "Set the full scale above the zero scale."),
    VANTA_CORE_ENGLISH("CoreText", "Give each entry its own value."),
    VANTA_CORE_ENGLISH("CoreText", "Clear the values of the entries it does not need."),
    VANTA_CORE_ENGLISH("CoreText", "Choose one of the panel's keys on its page."),
    VANTA_CORE_ENGLISH("CoreText", "Choose the key's action on its page."),
    VANTA_CORE_ENGLISH("CoreText", "it sets a coil, but no coil operation is chosen"),
    VANTA_CORE_ENGLISH("CoreText", "Choose another action for the key."),
    VANTA_CORE_ENGLISH("CoreText", "Choose ON, OFF, toggle or momentary ON on its page."),
    VANTA_CORE_ENGLISH("CoreText", "Choose the recipe operation on its page."),
    // the problem list: texts
    VANTA_CORE_ENGLISH("CoreText", "Shorten the text."),
    VANTA_CORE_ENGLISH("CoreText", "Delete the last character and type it again."),
    VANTA_CORE_ENGLISH("CoreText", "Type the text again."),
    VANTA_CORE_ENGLISH("CoreText", "its text"),
    VANTA_CORE_ENGLISH("CoreText", "the GBK code page is not available"),
    VANTA_CORE_ENGLISH("CoreText", "The GBK code page is not available"),
    // the problem list: places on the display
    VANTA_CORE_ENGLISH("CoreText", "lies outside the 192 x 64 display (x 0..191, y 0..63)"),
    VANTA_CORE_ENGLISH("CoreText", "Move it onto the display."),
    VANTA_CORE_ENGLISH("CoreText",
                       "Make it narrower (a shorter text, fewer digits, no double size)."),
    VANTA_CORE_ENGLISH("CoreText", "Move it left or make it narrower."),
    VANTA_CORE_ENGLISH("CoreText", "Make it lower."),
    VANTA_CORE_ENGLISH("CoreText", "Move it up or make it lower."),
    VANTA_CORE_ENGLISH("CoreText", "Move one of them, or delete the hidden one."),
    VANTA_CORE_ENGLISH("CoreText", "Move one of them so that they do not overlap."),
    VANTA_CORE_ENGLISH("CoreText", "Correct what the message names."),
    // the names inside the problems: what is out of range, protocols, components
    VANTA_CORE_ENGLISH("CoreText", "PLC station"),
    VANTA_CORE_ENGLISH("CoreText", "control register"),
    VANTA_CORE_ENGLISH("CoreText", "station"),
    VANTA_CORE_ENGLISH("CoreText", "address"),
    VANTA_CORE_ENGLISH("CoreText", "sub-address"),
    VANTA_CORE_ENGLISH("CoreText", "bit offset"),
    VANTA_CORE_ENGLISH("CoreText", "bit number"),
    VANTA_CORE_ENGLISH("CoreText", "number of digits"),
    VANTA_CORE_ENGLISH("CoreText", "number of decimals"),
    VANTA_CORE_ENGLISH("CoreText", "register count"),
    VANTA_CORE_ENGLISH("CoreText", "value"),
    VANTA_CORE_ENGLISH("CoreText", "target address"),
    VANTA_CORE_ENGLISH("CoreText", "length"),
    VANTA_CORE_ENGLISH("CoreText", "step"),
    VANTA_CORE_ENGLISH("CoreText", "limit"),
    VANTA_CORE_ENGLISH("CoreText", "number of points"),
    VANTA_CORE_ENGLISH("CoreText", "sampling interval"),
    VANTA_CORE_ENGLISH("CoreText", "register type"),
    VANTA_CORE_ENGLISH("CoreText", "module"),
    VANTA_CORE_ENGLISH("CoreText", "parameter"),
    // the fields a paste resets that no problem names
    VANTA_CORE_ENGLISH("CoreText", "sub-type"),
    VANTA_CORE_ENGLISH("CoreText", "offset"),
    VANTA_CORE_ENGLISH("CoreText", "limits"),
    VANTA_CORE_ENGLISH("CoreText", "scale"),
    VANTA_CORE_ENGLISH("CoreText", "action"),
    VANTA_CORE_ENGLISH("CoreText", "Static text"),
    VANTA_CORE_ENGLISH("CoreText", "Register"),
    VANTA_CORE_ENGLISH("CoreText", "Lamp"),
    VANTA_CORE_ENGLISH("CoreText", "Function key"),
    VANTA_CORE_ENGLISH("CoreText", "Picture"),
    VANTA_CORE_ENGLISH("CoreText", "Bar graph"),
    VANTA_CORE_ENGLISH("CoreText", "Trend"),
    VANTA_CORE_ENGLISH("CoreText", "Dynamic text"),
    VANTA_CORE_ENGLISH("CoreText", "Component"),
    // the download's notice of the problems, one problem a line
    VANTA_CORE_ENGLISH("CoreText", "The problem list shows every one; correct the errors first."),
    VANTA_CORE_ENGLISH("CoreText", "Download anyway?"),
    // reading, saving and importing files
    VANTA_CORE_ENGLISH("CoreText", "it is a device, not a file"),
    VANTA_CORE_ENGLISH("CoreText", "there is not enough memory to read it"),
    VANTA_CORE_ENGLISH("CoreText", "file this program reads"),
    VANTA_CORE_ENGLISH("CoreText", "project file"),
    VANTA_CORE_ENGLISH("CoreText", "old project file"),
    VANTA_CORE_ENGLISH("CoreText", "the file or folder does not exist"),
    VANTA_CORE_ENGLISH("CoreText", "permission denied"),
    VANTA_CORE_ENGLISH("CoreText", "the disk is full"),
    VANTA_CORE_ENGLISH("CoreText", "the file system is read-only"),
    VANTA_CORE_ENGLISH("CoreText", "it is a folder"),
    VANTA_CORE_ENGLISH("CoreText", "too many symbolic links"),
    VANTA_CORE_ENGLISH("CoreText", "the file is read-only"),
    VANTA_CORE_ENGLISH("CoreText", "the header of the old file"),
    VANTA_CORE_ENGLISH("CoreText", "Open project"),
    VANTA_CORE_ENGLISH("CoreText", "Save project"),
    QT_TRANSLATE_NOOP("CoreText", "Import old project"),
    QT_TRANSLATE_NOOP("CoreText", "Replace"),
    // the download's refusals and the limit question
    QT_TRANSLATE_NOOP("CoreText", "Cancel the download"),
    QT_TRANSLATE_NOOP("CoreText", "Correct the limits and download"),
    // what an undo step's record holds
    VANTA_CORE_ENGLISH("CoreText", "component"),
    VANTA_CORE_ENGLISH("CoreText", "screen"),
    // a damaged file's detail
    VANTA_CORE_ENGLISH("CoreText", "A 16-bit-character string holds an unpaired surrogate"),
    VANTA_CORE_ENGLISH("CoreText", "Too many objects"),
    VANTA_CORE_ENGLISH("CoreText", "Objects are nested too deeply"),
    VANTA_CORE_ENGLISH("CoreText",
                       "a screen's component list holds an object that is not a component"),
    VANTA_CORE_ENGLISH("CoreText", "picture description is damaged"),
    VANTA_CORE_ENGLISH("CoreText", "picture pixel count does not match its size"),
    VANTA_CORE_ENGLISH("CoreText", "picture image size does not match its width and height"),
    VANTA_CORE_ENGLISH("CoreText", "an 8-bit value"),
    VANTA_CORE_ENGLISH("CoreText", "a 16-bit value"),
    VANTA_CORE_ENGLISH("CoreText", "a 32-bit value"),
    VANTA_CORE_ENGLISH("CoreText", "a block of bytes"),
    VANTA_CORE_ENGLISH("CoreText", "a reserved block"),
    VANTA_CORE_ENGLISH("CoreText", "a class name"),
    VANTA_CORE_ENGLISH("CoreText", "alarm texts"),
    VANTA_CORE_ENGLISH("CoreText", "components"),
    VANTA_CORE_ENGLISH("CoreText", "screens"),
    VANTA_CORE_ENGLISH("CoreText", "dynamic text values"),
    VANTA_CORE_ENGLISH("CoreText", "dynamic text texts"),
    VANTA_CORE_ENGLISH("CoreText", "dynamic text value texts"),
};

}  // namespace

const char* const kCoreSentenceJoin = VANTA_CORE_ENGLISH("CoreText", "%1. %2");

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
