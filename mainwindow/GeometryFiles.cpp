#include "mainwindow/GeometryFiles.h"

#include "mainwindow/ControlLookup.h"

#include "classlib/GlobalFunctions.h"
#include "classlib/TextField.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include "runtime/Conversions.h"

#include <charconv>
#include <cstring>
#include <iostream>

namespace mainwindow {

namespace {

void ReportUnsaved(const char* suffix, const std::string& where, const std::string& why)
{
    std::cerr << "Could not save the window's geometry (" << kGeometryFilePrefix << suffix << ")";
    if (!where.empty())
        std::cerr << " to " << where;
    std::cerr << ": " << why << std::endl;
}

// A geometry file's whole text is one number, perhaps with blanks or a line
// end around it if someone edited the file by hand.
bool HoldsOneNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return false;
    const auto last = text.find_last_not_of(" \t\r\n");
    auto number = text.substr(first, last - first + 1);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    return result.ec == std::errc() && result.ptr == number.data() + number.size();
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

std::optional<std::int32_t> ReadGeometryFile(cl::Window& self, const char* suffix)
{
    rt::RefPtr<cl::FolderItem> item = GeometryFileItem(self, suffix);
    if (!item)
        return std::nullopt;
    rt::RefPtr<cl::TextInputStream> stream = item->OpenAsTextFile();
    if (!stream)
        return std::nullopt;
    const rt::String text = stream->ReadAll();
    const bool readWhole = stream->LastErrorCode == 0;
    stream->Close();
    if (!readWhole || !HoldsOneNumber(text.view()))
        return std::nullopt;
    return rt::RuntimeCvtReal64ToSInt32(cl::CDbl(text));
}

bool WriteGeometryFile(cl::Window& self, const char* suffix, std::int32_t value)
{
    rt::RefPtr<cl::FolderItem> item;
    try {
        item = GeometryFileItem(self, suffix);
    } catch (const rt::RaisedException& raised) {
        ReportUnsaved(suffix, "", raised.what());
        return false;
    }
    if (!item) {
        ReportUnsaved(suffix, "", "there is no preferences folder to keep it in");
        return false;
    }
    rt::RefPtr<cl::TextOutputStream> stream = item->CreateTextFile();
    if (!stream) {
        ReportUnsaved(suffix, item->path().string(), "the file cannot be created");
        return false;
    }
    stream->Write(cl::Str(value));
    stream->Close();
    if (stream->LastErrorCode != 0) {
        ReportUnsaved(suffix, item->path().string(), std::strerror(stream->LastErrorCode));
        return false;
    }
    return true;
}

} // namespace mainwindow
