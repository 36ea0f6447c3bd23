#include "customisation/desktop_ini.h"

#include <algorithm>
#include <optional>

#include "customisation/ini_line.h"
#include "customisation/publisher.h"

namespace customisation {
namespace {

struct SectionFormat {
    std::u16string_view name;
    std::vector<std::u16string_view> keys;
};

const std::array<SectionFormat, ourSectionCount>& ourSections() {
    static const std::array<SectionFormat, ourSectionCount> sections{{
        {u".ShellClassInfo", {u"InfoTip"}},
        {u"ExtShellFolderViews", {viewExtensionId}},
        {viewExtensionId, {u"Attributes", u"IconArea_Image", u"IconArea_Text"}},
    }};
    return sections;
}

std::optional<std::size_t> ourSectionIndex(std::u16string_view name) {
    const auto& sections = ourSections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (equalsIgnoringCase(sections[i].name, name)) return i;
    }
    return std::nullopt;
}

bool isOurKey(std::size_t section, std::u16string_view key) {
    const auto& keys = ourSections()[section].keys;
    return std::any_of(keys.begin(), keys.end(),
                       [&](std::u16string_view ours) { return equalsIgnoringCase(ours, key); });
}

std::u16string header(std::size_t section) {
    std::u16string line(u"[");
    line += ourSections()[section].name;
    line += u']';
    return line;
}

void append(std::vector<std::u16string>& to, const std::vector<std::u16string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

}  // namespace

bool ForeignContent::empty() const {
    return beforeSections.empty() && otherSections.empty() &&
           std::all_of(inOurSections.begin(), inOurSections.end(),
                       [](const auto& lines) { return lines.empty(); });
}

ForeignContent foreignContent(const std::vector<std::u16string>& lines) {
    ForeignContent foreign;
    // Where the line being read belongs: before any section, in one of ours,
    // or in someone else's.
    enum class Place { beforeSections, ours, other } place = Place::beforeSections;
    std::size_t section = 0;

    for (const auto& line : lines) {
        if (auto name = sectionName(line)) {
            if (auto index = ourSectionIndex(*name)) {
                place = Place::ours;
                section = *index;
            } else {
                place = Place::other;
                foreign.otherSections.push_back(line);
            }
            continue;
        }
        switch (place) {
            case Place::other:
                foreign.otherSections.push_back(line);
                break;
            case Place::beforeSections:
                // Lines without "=" here are our warning line.
                if (line.find(u'=') != std::u16string::npos) foreign.beforeSections.push_back(line);
                break;
            case Place::ours:
                // Lines without "=" here are our signature lines.
                if (line.find(u'=') == std::u16string::npos) break;
                if (auto key = keyName(line); key && isOurKey(section, *key)) break;
                foreign.inOurSections[section].push_back(line);
                break;
        }
    }
    return foreign;
}

std::vector<std::u16string> customisedLines(const Customisation& customisation,
                                            const ForeignContent& foreign) {
    const std::u16string site(publisher::siteName);
    const std::u16string url(publisher::siteUrl);
    const std::u16string viewId(viewExtensionId);
    const auto& ours = foreign.inOurSections;

    std::vector<std::u16string> lines;
    lines.emplace_back(u"ممنوع حذف هذا الملف لانه المسؤول على تغيير خلفية المجلد");
    append(lines, foreign.beforeSections);
    lines.push_back(header(0));
    lines.push_back(u"InfoTip=حمل برامج عربية متنوعة من شبكة " + site + u" " + url);
    append(lines, ours[0]);
    lines.push_back(header(1));
    lines.push_back(viewId + u"=" + viewId);
    append(lines, ours[1]);
    lines.push_back(header(2));
    lines.emplace_back(u"Attributes=1");
    lines.push_back(u"IconArea_Image=" + customisation.picturePath);
    lines.push_back(u"IconArea_Text=" + customisation.colourDigits);
    lines.push_back(u"مع تحيات " + std::u16string(publisher::authorName) + u" .. " + site + u" ");
    lines.push_back(url);
    lines.emplace_back(publisher::email);
    append(lines, ours[2]);
    append(lines, foreign.otherSections);
    return lines;
}

std::vector<std::u16string> uncustomisedLines(const ForeignContent& foreign) {
    std::vector<std::u16string> lines = foreign.beforeSections;
    for (std::size_t section = 0; section < ourSectionCount; ++section) {
        if (foreign.inOurSections[section].empty()) continue;
        lines.push_back(header(section));
        append(lines, foreign.inOurSections[section]);
    }
    append(lines, foreign.otherSections);
    return lines;
}

}  // namespace customisation
