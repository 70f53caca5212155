#include "combinationbuffer.h"

#include <algorithm>

namespace dezenario {

CombinationBuffer::CombinationBuffer(TextBox &box) : m_box(box), m_all(box.text()) {}

QStringView CombinationBuffer::selectFront(qsizetype count) const
{
    Q_ASSERT(count >= 0);
    return text().left(std::min(count, size()));
}

void CombinationBuffer::cutFront(qsizetype count)
{
    Q_ASSERT(count >= 0);
    count = std::min(count, size());
    if (count == 0)
        return;
    m_box.deleteFront(count);
    m_front += count;
}

void CombinationBuffer::clear()
{
    m_box.setText(QString());
    m_all.clear();
    m_front = 0;
}

FrontSearch::FrontSearch(const CombinationBuffer &buffer, QString needle)
    : m_buffer(buffer), m_needle(std::move(needle))
{
}

void FrontSearch::search()
{
    const qsizetype front = m_buffer.m_front;
    m_at = m_needle.size() == 1 ? m_buffer.m_all.indexOf(m_needle.front(), front)
                                : m_buffer.m_all.indexOf(m_needle, front);
}

} // namespace dezenario
