#include "StagedReplacements.h"

#include "FolderItem.h"

namespace cl {

rt::RefPtr<TextOutputStream> StagedReplacements::CreateTextFile(FolderItem& item)
{
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
    return failures;
}

} // namespace cl
