#include "customisation/desktop_ini.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "customisation/folder_icon_lines.h"
#include "customisation/ini_line.h"
#include "customisation/publisher.h"

namespace customisation {
namespace {

constexpr std::array<std::u16string_view, ourSectionCount> ourSectionNames{
    u".ShellClassInfo", u"ExtShellFolderViews", viewExtensionId};

// Keys of ours by name alone: whatever their value, they are ours to write.
constexpr std::array<std::u16string_view, 3> ourViewKeys{u"Attributes", u"IconArea_Image",
                                                         u"IconArea_Text"};

constexpr std::size_t indexOf(OurSection section) { return static_cast<std::size_t>(section); }

// The lines we write with a text of our own, exactly as we write them.
struct OurTexts {
    std::u16string warning = u"ممنوع حذف هذا الملف لانه المسؤول على تغيير خلفية المجلد";
    std::u16string infoTip = u"حمل برامج عربية متنوعة من شبكة " +
                             std::u16string(publisher::siteName) + u" " +
                             std::u16string(publisher::siteUrl);
    std::u16string greeting = u"مع تحيات " + std::u16string(publisher::authorName) + u" .. " +
                              std::u16string(publisher::siteName) + u" ";
    std::u16string url{publisher::siteUrl};
    std::u16string email{publisher::email};
};

const OurTexts& ourTexts() {
    static const OurTexts texts;
    return texts;
}

std::optional<OurSection> ourSection(std::u16string_view name) {
    for (std::size_t i = 0; i < ourSectionNames.size(); ++i) {
        if (equalsIgnoringCase(ourSectionNames[i], name)) return static_cast<OurSection>(i);
    }
    return std::nullopt;
}

bool isOurInfoTip(std::u16string_view line) {
    return isKeyNamed(line, u"InfoTip") && keyValue(line) == ourTexts().infoTip;
}

bool isOurText(std::u16string_view line) {
    const auto& ours = ourTexts();
    return line == ours.warning || line == ours.greeting || line == ours.url ||
           line == ours.email || isOurInfoTip(line);
}

bool isOurViewKey(std::u16string_view line) { return isKeyNamed(line, ourViewKeys); }

std::u16string canonicalHeader(OurSection section) {
    std::u16string line(u"[");
    line += ourSectionNames[indexOf(section)];
    line += u']';
    return line;
}

// A header the system's INI reader may not take ("[name" without its
// bracket) is written properly when we add our keys under it.
Line headerToWrite(const IniSection& section) {
    if (section.header.text.find(u']') != std::u16string::npos) return section.header;
    return canonicalHeader(*section.ours);
}

void append(std::vector<Line>& to, std::vector<Line>& lines) {
    to.insert(to.end(), std::make_move_iterator(lines.begin()),
              std::make_move_iterator(lines.end()));
}

void append(std::vector<Line>& to, const std::vector<std::u16string>& ours) {
    to.insert(to.end(), ours.begin(), ours.end());
}

bool hasForeignInfoTip(const ForeignContent& foreign) {
    return std::any_of(foreign.sections.begin(), foreign.sections.end(), [](const auto& section) {
        return section.ours == OurSection::shellClassInfo &&
               std::any_of(section.lines.begin(), section.lines.end(),
                           [](const auto& line) { return isKeyNamed(line.text, u"InfoTip"); });
    });
}

// What we write at the top of each of our sections.
std::vector<std::u16string> ourLines(OurSection section, const Customisation& customisation,
                                     const ForeignContent& foreign, bool keepTheirInfoTip) {
    const auto& texts = ourTexts();
    const std::u16string viewId(viewExtensionId);
    switch (section) {
        case OurSection::shellClassInfo: {
            std::vector<std::u16string> lines;
            // The shell shows the first InfoTip: one the person chose stays theirs.
            if (!keepTheirInfoTip) lines.push_back(u"InfoTip=" + texts.infoTip);
            // A person's own icon is never replaced.
            if (customisation.iconFile && !foreign.ownIcon) {
                for (auto& line : iconLines(*customisation.iconFile)) lines.push_back(line);
            }
            return lines;
        }
        case OurSection::extShellFolderViews:
            return {viewId + u"=" + viewId};
        case OurSection::viewExtension:
            return {u"Attributes=1",
                    u"IconArea_Image=" + customisation.picturePath,
                    u"IconArea_Text=" + customisation.colourDigits,
                    texts.greeting,
                    texts.url,
                    texts.email};
    }
    return {};
}

}  // namespace

bool ForeignContent::empty() const {
    return beforeSections.empty() &&
           std::all_of(sections.begin(), sections.end(),
                       [](const auto& section) { return section.ours && section.lines.empty(); });
}

ForeignContent foreignContent(std::vector<Line> lines) {
    ForeignContent foreign;
    IniSection* section = nullptr;
    bool afterOurIconFile = false;
    for (auto& line : lines) {
        const bool followsOurIconFile = std::exchange(afterOurIconFile, false);
        if (auto name = sectionName(line.text)) {
            const auto ours = ourSection(*name);
            section = &foreign.sections.emplace_back(IniSection{std::move(line), ours, {}});
            continue;
        }
        if (section && !section->ours) {
            section->lines.push_back(std::move(line));
            continue;
        }
        if (isOurText(line.text)) {
            foreign.heldOurs = true;
            continue;
        }
        if (section && section->ours == OurSection::shellClassInfo) {
            switch (iconLineKind(line.text)) {
                case IconLine::ours:
                    foreign.heldOurs = true;
                    if (!foreign.ourIconFile) foreign.ourIconFile = iconFileOfLine(line.text);
                    afterOurIconFile = isKeyNamed(line.text, u"IconFile");
                    continue;
                case IconLine::zeroIndex:
                    if (followsOurIconFile) continue;
                    break;
                case IconLine::theirs:
                    foreign.ownIcon = true;
                    break;
                case IconLine::none:
                    break;
            }
        }
        if (section && section->ours == OurSection::viewExtension && isOurViewKey(line.text)) {
            foreign.heldOurs = true;
            continue;
        }
        // Ours by name, but on its own it is no sign of our customisation.
        if (section && section->ours == OurSection::extShellFolderViews &&
            isKeyNamed(line.text, viewExtensionId)) {
            continue;
        }
        (section ? section->lines : foreign.beforeSections).push_back(std::move(line));
    }
    return foreign;
}

std::vector<Line> customisedLines(const Customisation& customisation, ForeignContent foreign) {
    const bool keepTheirInfoTip = hasForeignInfoTip(foreign);

    // Each of our sections goes where it first stood; one the file lacks goes
    // after the one before it in our order, or before the first we have.
    std::array<std::optional<std::size_t>, ourSectionCount> firstAt;
    for (std::size_t i = 0; i < foreign.sections.size(); ++i) {
        if (auto ours = foreign.sections[i].ours; ours && !firstAt[indexOf(*ours)]) {
            firstAt[indexOf(*ours)] = i;
        }
    }
    std::array<std::vector<OurSection>, ourSectionCount> addedBefore, addedAfter;
    std::vector<OurSection> addedAtTop;
    for (std::size_t missing = 0; missing < ourSectionCount; ++missing) {
        if (firstAt[missing]) continue;
        const auto section = static_cast<OurSection>(missing);
        std::optional<std::size_t> anchor;
        for (std::size_t before = missing; before-- > 0 && !anchor;) {
            if (firstAt[before]) anchor = before;
        }
        if (anchor) {
            addedAfter[*anchor].push_back(section);
            continue;
        }
        for (std::size_t after = missing + 1; after < ourSectionCount && !anchor; ++after) {
            if (firstAt[after]) anchor = after;
        }
        (anchor ? addedBefore[*anchor] : addedAtTop).push_back(section);
    }

    std::vector<Line> lines{ourTexts().warning};
    append(lines, foreign.beforeSections);
    auto addSections = [&](const std::vector<OurSection>& added) {
        for (auto section : added) {
            // Made before it is moved in: GCC 12 at -O2 otherwise warns of a
            // string it thinks uninitialised.
            Line header(canonicalHeader(section));
            lines.push_back(std::move(header));
            append(lines, ourLines(section, customisation, foreign, keepTheirInfoTip));
        }
    };
    addSections(addedAtTop);
    for (std::size_t i = 0; i < foreign.sections.size(); ++i) {
        auto& section = foreign.sections[i];
        const bool first = section.ours && firstAt[indexOf(*section.ours)] == i;
        if (!first) {
            lines.push_back(std::move(section.header));
            append(lines, section.lines);
            continue;
        }
        const auto ours = indexOf(*section.ours);
        addSections(addedBefore[ours]);
        lines.push_back(headerToWrite(section));
        append(lines, ourLines(*section.ours, customisation, foreign, keepTheirInfoTip));
        append(lines, section.lines);
        addSections(addedAfter[ours]);
    }
    return lines;
}

std::vector<Line> uncustomisedLines(ForeignContent foreign) {
    std::vector<Line> lines = std::move(foreign.beforeSections);
    for (auto& section : foreign.sections) {
        if (section.ours && section.lines.empty()) continue;
        lines.push_back(std::move(section.header));
        append(lines, section.lines);
    }
    return lines;
}

}  // namespace customisation
