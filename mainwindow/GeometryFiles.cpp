#include "mainwindow/GeometryFiles.h"

#include "mainwindow/ControlLookup.h"

#include "classlib/GlobalFunctions.h"
#include "classlib/TextField.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include "runtime/Conversions.h"

#include "platform/TellUser.h"

#include <cstring>
#include <filesystem>
#include <string>

namespace mainwindow {

namespace {

void ReportUnsaved(std::string_view fileName, std::string_view where, std::string_view why)
{
    std::string line = "could not save the window's geometry (" + std::string(fileName) + ")";
    if (!where.empty())
        line += " to " + std::string(where);
    platform::TellUser(line + ": " + std::string(why));
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

rt::RefPtr<cl::FolderItem> GeometryFileItem(cl::Window& self, const char* suffix)
{
    rt::RefPtr<cl::FolderItem> folder = cl::SpecialFolder::Preferences();
    if (!folder)
        return nullptr;
    const rt::String prefix = ControlNamed<cl::TextField>(self, "TextField1")->Text();
    return folder->Child(rt::RuntimeAddString(prefix, suffix));
}

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

void WriteGeometryFile(cl::Window& self, const char* suffix, std::int32_t value, cl::StagedReplacements& newFiles)
{
    rt::RefPtr<cl::FolderItem> item;
    try {
        item = GeometryFileItem(self, suffix);
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
