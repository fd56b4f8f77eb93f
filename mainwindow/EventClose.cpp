#include "mainwindow/GeometryFiles.h"
#include "mainwindow/Window1.h"

#include "classlib/GlobalFunctions.h"

namespace mainwindow {

namespace {

// Closing the main window ends the program whatever happened on the way, so
// no invisible process is left behind.
struct QuitWhenDone {
    ~QuitWhenDone() { cl::Quit(0); }
};

} // namespace

void Event_Close(cl::Window& self)
{
    // The program quits as this handler ends, after the steps below or at
    // whatever stopped them.
    QuitWhenDone quit;

    // 1. The geometry at one moment, read before any file is touched.
    std::array<std::int32_t, kGeometryFiles.size()> values {};
    for (std::size_t i = 0; i < kGeometryFiles.size(); ++i)
        values[i] = RequireWindow1()->Bounds(kGeometryFiles[i].bound);

    // 2. The four new files, each written whole beside the one it replaces
    //    (which clears away what an interrupted close left of it); one that
    //    can't be written is reported and the others still are.
    const rt::RefPtr<cl::FolderItem> preferences = cl::SpecialFolder::Preferences();
    cl::StagedReplacements newFiles;
    for (std::size_t i = 0; i < kGeometryFiles.size(); ++i)
        WriteGeometryFile(self, preferences, kGeometryFiles[i].suffix, values[i], newFiles);

    // 3. Only once the last is written do they take the old files' places, one
    //    after another, so a close cut short almost never mixes old and new.
    PutGeometryFilesInPlace(newFiles);
}

} // namespace mainwindow
