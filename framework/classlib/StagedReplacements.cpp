#include "StagedReplacements.h"

#include "FolderItem.h"

namespace cl {

rt::RefPtr<TextOutputStream> StagedReplacements::CreateTextFile(FolderItem& item)
{
    const std::filesystem::path folder = item.path().parent_path();
    if (!m_lockedFolder) {
        m_lockedFolder = folder;
        int ignored = 0;
        m_lock = os::FolderLock::Take(folder, ignored);
    }
    // Only under the lock is every new file found there one whose process
    // died; without it (a folder that can't be opened for reading, a holder
    // that is stuck) the files are still written, and nothing is swept.
    if (m_lock && folder == m_lockedFolder)
        TextOutputStream::RemoveLeftoversOf(item.path());
    rt::RefPtr<TextOutputStream> stream
        = TextOutputStream::CreateReplacing(item.path(), TextOutputStream::Placement::AtCommit, item.LastErrorCode);
    if (stream)
        m_streams.emplace_back(*stream);
    return stream;
}

std::vector<StagedReplacements::Failure> StagedReplacements::Commit()
{
    std::vector<Failure> failures;
    for (auto& stream : m_streams) {
        if (!stream->readyToPutInPlace())
            stream->discard();
        else if (!stream->putInPlace())
            failures.push_back({ stream->target(), stream->LastErrorCode });
    }
    m_streams.clear();
    m_lock.reset();
    m_lockedFolder.reset();
    return failures;
}

} // namespace cl
