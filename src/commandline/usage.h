#pragma once

#include <string_view>

namespace commandline {

// How the program is started from a console or a script, in Arabic and English.
inline constexpr std::u16string_view usageLines[] = {
    u"FolderBackground.exe [FOLDER] [PICTURE]",
    u"    يفتح البرنامج على المجلد أو الصورة",
    u"    Opens the window on the folder and/or the picture.",
    u"FolderBackground.exe /apply /picture:FILE [/color:N] FOLDER...",
    u"    يغير خلفية كل مجلد ولون خطه. N رقم اللون كما في البرنامج، أو #RRGGBB",
    u"    Gives each folder the picture and the text colour: N as the window takes it,",
    u"    or #RRGGBB; without /color, a folder keeps its own colour.",
    u"FolderBackground.exe /remove FOLDER...",
    u"    يحذف الخلفية من كل مجلد",
    u"    Restores each folder.",
    u"FolderBackground.exe /show FOLDER...",
    u"    يعرض صورة كل مجلد ولونه",
    u"    Shows each folder's picture and colour.",
    u"FolderBackground.exe /register | /unregister",
    u"    يضيف الأمر \"تغيير خلفية المجلد…\" إلى قائمة المجلدات لهذا المستخدم، أو يزيله",
    u"    Adds the entry to the folders' right-click menu for this user, or removes it.",
    u"FolderBackground.exe /?",
    u"    هذه المساعدة / This help.",
    u"رمز الخروج: 0 تم كل شيء، 1 فشل مجلد على الأقل، 2 سطر أوامر خاطئ",
    u"Exit code: 0 all done, 1 at least one folder failed, 2 wrong command line.",
};

}  // namespace commandline
