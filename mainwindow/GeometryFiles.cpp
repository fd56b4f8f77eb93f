#include "mainwindow/GeometryFiles.h"

#include "mainwindow/ControlLookup.h"

#include "classlib/GlobalFunctions.h"
#include "classlib/Screen.h"
#include "classlib/TextField.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include "runtime/Conversions.h"

#include "os/TellUser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

namespace mainwindow {

namespace {

// The geometry file of that suffix: the preferences folder's child named by
// the prefix that `TextField1` holds. Nil when there is no folder to hold it.
rt::RefPtr<cl::FolderItem> GeometryFileItem(
    cl::Window& self, const rt::RefPtr<cl::FolderItem>& preferences, const char* suffix)
{
    if (!preferences)
        return nullptr;
    const rt::String prefix = ControlNamed<cl::TextField>(self, "TextField1")->Text();
    return preferences->Child(rt::RuntimeAddString(prefix, suffix));
}

// The value a geometry file holds, or nothing when the file is missing, is no
// regular file, can't be read or holds no value.
std::optional<std::int32_t> ReadGeometryFile(cl::FolderItem& file)
{
    rt::RefPtr<cl::TextInputStream> stream = file.OpenAsTextFile();
    if (!stream)
        return std::nullopt;
    // One byte past the bound tells a file that is too long from one that fits.
    const rt::String text = stream->Read(kGeometryFileMaxLength + 1);
    const bool readWell = stream->LastErrorCode == 0;
    stream->Close();
    if (!readWell)
        return std::nullopt;
    return GeometryValueOfText(text);
}

// Some of the window lies on some screen (touching an edge is not enough),
// and it is no wider or taller than all the screens cover together, so the
// user can see it and reach its edges.
bool FitsTheScreens(const SavedGeometry& saved)
{
    const auto right = std::int64_t(saved.left) + saved.width;
    const auto bottom = std::int64_t(saved.top) + saved.height;
    bool overlapsAScreen = false;
    std::int64_t areaLeft = INT64_MAX, areaTop = INT64_MAX, areaRight = INT64_MIN, areaBottom = INT64_MIN;
    const std::int32_t screenCount = cl::ScreenCount();
    for (std::int32_t index = 0; index < screenCount; ++index) {
        rt::RefPtr<cl::ScreenInfo> screen = cl::Screen(index);
        if (!screen)
            continue;
        const auto screenRight = std::int64_t(screen->Left()) + screen->Width();
        const auto screenBottom = std::int64_t(screen->Top()) + screen->Height();
        if (saved.left < screenRight && right > screen->Left() && saved.top < screenBottom && bottom > screen->Top())
            overlapsAScreen = true;
        areaLeft = std::min<std::int64_t>(areaLeft, screen->Left());
        areaTop = std::min<std::int64_t>(areaTop, screen->Top());
        areaRight = std::max(areaRight, screenRight);
        areaBottom = std::max(areaBottom, screenBottom);
    }
    return overlapsAScreen && saved.width <= areaRight - areaLeft && saved.height <= areaBottom - areaTop;
}

} // namespace

std::optional<std::int32_t> GeometryValueOfText(const rt::String& text)
{
    if (text.view().size() > kGeometryFileMaxLength)
        return std::nullopt;
    // The check and the reading agree: CDbl takes this same leading number.
    const auto number = cl::ReadLeadingNumber(text.view());
    if (!number || number->rest.find_first_not_of(cl::kBlanksAroundNumbers) != std::string_view::npos)
        return std::nullopt;
    return rt::RuntimeCvtReal64ToSInt32(cl::CDbl(text));
}

std::optional<SavedGeometry> ReadSavedGeometry(cl::Window& self)
{
    const rt::RefPtr<cl::FolderItem> preferences = cl::SpecialFolder::Preferences();
    std::array<std::optional<std::int32_t>, kGeometryFiles.size()> values;
    for (std::size_t i = 0; i < kGeometryFiles.size(); ++i) {
        // A missing top file, read first, says there is no saved geometry.
        rt::RefPtr<cl::FolderItem> file = GeometryFileItem(self, preferences, kGeometryFiles[i].suffix);
        if (file)
            values[i] = ReadGeometryFile(*file);
        if (!values[i])
            return std::nullopt;
    }
    const SavedGeometry saved { *values[0], *values[1], *values[2], *values[3] };
    if (saved.width <= 0 || saved.height <= 0 || !FitsTheScreens(saved))
        return std::nullopt;
    return saved;
}

namespace {

void ReportUnsaved(std::string_view fileName, std::string_view where, std::string_view why)
{
    std::string line = "could not save the window's geometry (" + std::string(fileName) + ")";
    if (!where.empty())
        line += " to " + std::string(where);
    os::TellUser(line + ": " + std::string(why));
}

// Before there is a file to name, the name it was to have.
void ReportUnsaved(const char* suffix, std::string_view why)
{
    ReportUnsaved(std::string(kGeometryFilePrefix) + suffix, "", why);
}

void ReportUnsaved(const std::filesystem::path& file, int error)
{
    ReportUnsaved(file.filename().string(), file.string(), std::strerror(error));
}

} // namespace

void WriteGeometryFile(cl::Window& self, const rt::RefPtr<cl::FolderItem>& preferences, const char* suffix,
    std::int32_t value, cl::StagedReplacements& newFiles)
{
    rt::RefPtr<cl::FolderItem> item;
    try {
        item = GeometryFileItem(self, preferences, suffix);
    } catch (const rt::RaisedException& raised) {
        ReportUnsaved(suffix, raised.what());
        return;
    }
    if (!item) {
        ReportUnsaved(suffix, "there is no preferences folder to keep it in");
        return;
    }
    rt::RefPtr<cl::TextOutputStream> stream = newFiles.CreateTextFile(*item);
    if (!stream) {
        ReportUnsaved(item->path(), item->LastErrorCode);
        return;
    }
    stream->Write(cl::Str(value));
    stream->Close();
    if (stream->LastErrorCode != 0)
        ReportUnsaved(item->path(), stream->LastErrorCode);
}

void PutGeometryFilesInPlace(cl::StagedReplacements& newFiles)
{
    for (const auto& failure : newFiles.Commit())
        ReportUnsaved(failure.target, failure.error);
}

} // namespace mainwindow
