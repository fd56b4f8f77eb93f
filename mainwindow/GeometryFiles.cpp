#include "mainwindow/GeometryFiles.h"

#include "mainwindow/ControlLookup.h"

#include "classlib/GlobalFunctions.h"
#include "classlib/TextField.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include "runtime/Conversions.h"

#include <cstring>
#include <iostream>

namespace mainwindow {

namespace {

void ReportUnsaved(std::string_view fileName, const std::string& where, std::string_view why)
{
    std::cerr << "Could not save the window's geometry (" << fileName << ")";
    if (!where.empty())
        std::cerr << " to " << where;
    std::cerr << ": " << why << std::endl;
}

std::string GeometryFileName(const char* suffix)
{
    return std::string(kGeometryFilePrefix) + suffix;
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

std::optional<std::int32_t> ReadGeometryFile(cl::Window& self, const char* suffix)
{
    rt::RefPtr<cl::FolderItem> item = GeometryFileItem(self, suffix);
    if (!item)
        return std::nullopt;
    rt::RefPtr<cl::TextInputStream> stream = item->OpenAsTextFile();
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
        ReportUnsaved(GeometryFileName(suffix), "", raised.what());
        return;
    }
    if (!item) {
        ReportUnsaved(GeometryFileName(suffix), "", "there is no preferences folder to keep it in");
        return;
    }
    rt::RefPtr<cl::TextOutputStream> stream = newFiles.CreateTextFile(*item);
    if (!stream) {
        ReportUnsaved(GeometryFileName(suffix), item->path().string(), std::strerror(item->LastErrorCode));
        return;
    }
    stream->Write(cl::Str(value));
    stream->Close();
    if (stream->LastErrorCode != 0)
        ReportUnsaved(GeometryFileName(suffix), item->path().string(), std::strerror(stream->LastErrorCode));
}

void PutGeometryFilesInPlace(cl::StagedReplacements& newFiles)
{
    for (const auto& failure : newFiles.Commit())
        ReportUnsaved(failure.target.filename().string(), failure.target.string(), std::strerror(failure.error));
}

} // namespace mainwindow
