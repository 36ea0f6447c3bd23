#pragma once

#include <string_view>

#include "customisation/failure_text.h"

// The texts the window shows in message boxes and dialogs.
namespace mainwindow::messages {

inline constexpr std::u16string_view errorTitle = u"خطأ";
inline constexpr std::u16string_view noPicture = u"من فضلك تأكد من تحديد الصورة";
inline constexpr std::u16string_view noFolder = u"من فضلك تأكد من تحديد المجلد";
inline constexpr std::u16string_view noColour = u"من فضلك تأكد من تحديد لون الخط";
inline constexpr std::u16string_view applied = u"تم التغيير بنجاح";
// The second line of `applied` where the Explorer ignores what was written:
// this Windows' Explorer does not draw folder backgrounds; the background
// shows when the folder is opened on Windows XP or Windows Server 2003.
inline constexpr std::u16string_view backgroundShowsOnXp =
    u"مستكشف هذا الإصدار من ويندوز لا يعرض خلفيات المجلدات، وتظهر الخلفية عند فتح المجلد على "
    u"ويندوز XP أو ويندوز سيرفر 2003";
// The second line of `applied` where the folder's icon now carries the
// picture: it shows on the folder's icon now, and as its background when the
// folder is opened on Windows XP or Windows Server 2003.
inline constexpr std::u16string_view pictureOnIcon =
    u"تظهر الصورة الآن على أيقونة المجلد، وتظهر خلفيةً له عند فتحه على ويندوز XP أو ويندوز "
    u"سيرفر 2003";
// The icon check box's tooltip where it cannot be checked: the folder has an
// icon of its own, which stays; a drive's icon comes from the drive itself.
inline constexpr std::u16string_view folderKeepsOwnIcon =
    u"لهذا المجلد أيقونة خاصة به، ولن يغيرها البرنامج";
inline constexpr std::u16string_view driveKeepsItsIcon =
    u"أيقونة جذر القرص تأتي من القرص نفسه، فلا يغيرها البرنامج";
inline constexpr std::u16string_view applyFailed = u"تعذر حفظ التغيير في هذا المجلد";
inline constexpr std::u16string_view removed = u"تم الحذف بنجاح";
inline constexpr std::u16string_view removeFailed = u"تعذر حذف الخلفية من هذا المجلد";
// Under a failure message when the folder is a drive's root that cannot carry
// the attribute the shell looks for (a FAT USB stick); the command line says
// the same.
inline constexpr std::u16string_view driveRootNotCustomisable =
    customisation::driveRootNotCustomisable;
inline constexpr std::u16string_view aboutTitle = u"معلومات عن البرنامج";
inline constexpr std::u16string_view aboutFirstLine = u"البرنامج من تصميم وبرمجة";
inline constexpr std::u16string_view linkFailed = u"تعذر فتح الموقع في المتصفح";
inline constexpr std::u16string_view folderBrowserTitle = u"حدد المجلد المراد تغيير خلفيته";
inline constexpr std::u16string_view pictureDialogTitle = u"اختر الصورة من هنا";
inline constexpr std::u16string_view pictureFilter =
    u"Image Files الصور فقط (*.bmp;*.jpg;*.jpeg;*.gif)|*.BMP;*.JPG;*.JPEG;*.GIF";
inline constexpr std::u16string_view colourDialogTitle = u"اختر اللون المناسب لمحتويات المجلد";

}  // namespace mainwindow::messages
