#include "pagerecorder.h"

namespace dezenario {

void PageRecorder::endPage()
{
    if (m_marks.size() > (m_pageEnds.empty() ? 0 : m_pageEnds.back()))
        m_pageEnds.push_back(m_marks.size());
}

void PageRecorder::discardDocument()
{
    m_marks.clear();
    m_pageEnds.clear();
}

std::span<const MarkPosition> PageRecorder::page(qsizetype index) const
{
    const size_t begin = index > 0 ? m_pageEnds[size_t(index) - 1] : 0;
    return std::span<const MarkPosition>(m_marks).subspan(begin, m_pageEnds[size_t(index)] - begin);
}

} // namespace dezenario
