#pragma once

#include <string_view>

namespace commandline {

// How the program is started from a console or a script, in Arabic and English.
inline constexpr std::u16string_view usageLines[] = {
    u"FolderBackground.exe [FOLDER] [PICTURE]",
    u"    يفتح البرنامج على المجلد أو الصورة",
    u"    Opens the window on the folder and/or the picture.",
    u"FolderBackground.exe /apply /picture:FILE [/color:N] [/icon | /noicon] FOLDER...",
    u"    يغير خلفية كل مجلد ولون خطه. N رقم اللون كما في البرنامج، أو #RRGGBB",
    u"    ومع /icon تظهر الصورة على أيقونة المجلد، ومع /noicon لا تظهر؛ والمجلد ذو الأيقونة",
    u"    الخاصة يحتفظ بها",
    u"    Gives each folder the picture and the text colour: N as the window takes it,",
    u"    or #RRGGBB; without /color, a folder keeps its own colour. /icon shows the",
    u"    picture on the folder's icon, /noicon does not; without either, as the window",
    u"    does on this Windows (Vista and later: /icon). A folder's own icon stays.",
    u"FolderBackground.exe /remove FOLDER...",
    u"    يحذف الخلفية من كل مجلد",
    u"    Restores each folder.",
    u"FolderBackground.exe /show FOLDER...",
    u"    يعرض صورة كل مجلد ولونه، وهل تظهر الصورة على أيقونته",
    u"    Shows each folder's picture and colour, and whether its icon shows the picture.",
    u"FolderBackground.exe /register | /unregister",
    u"    يضيف الأمر \"تغيير خلفية المجلد…\" إلى قائمة المجلدات لهذا المستخدم، أو يزيله",
    u"    Adds the entry to the folders' right-click menu for this user, or removes it.",
    u"FolderBackground.exe /?",
    u"    هذه المساعدة / This help.",
    u"رمز الخروج: 0 تم كل شيء، 1 فشل مجلد على الأقل، 2 سطر أوامر خاطئ",
    u"Exit code: 0 all done, 1 at least one folder failed, 2 wrong command line.",
};

}  // namespace commandline
