#pragma once

#include "controls.h"

#include <QString>
#include <QStringView>

namespace dezenario {

// The text of Text1 as the commands consume it: read once, then cut only from
// the front. Because the text only ever shrinks from the front, a snapshot of
// it is just a view from the current front, and every cut is handed on to the
// text box so that what the user sees stays the same text.
class CombinationBuffer
{
public:
    explicit CombinationBuffer(TextBox &box);

    // The whole current text, as a snapshot would copy it.
    QStringView text() const { return QStringView(m_all).mid(m_front); }
    qsizetype size() const { return m_all.size() - m_front; }
    // The text as the command found it.
    const QString &original() const { return m_all; }

    // The first count characters; a count past the end gives the whole text.
    QStringView selectFront(qsizetype count) const;
    // Deletes the first count characters.
    void cutFront(qsizetype count);
    void refresh() { m_box.refresh(); }
    void clear();

private:
    friend class FrontSearch;
    TextBox &m_box;
    QString m_all;
    qsizetype m_front = 0;
};

// The 1-based place of the first occurrence of a text in the buffer as it now
// stands, 0 when there is none. It remembers the occurrence it found: while the
// front has not passed it, it is still the first one, so repeated searches
// over a shrinking buffer scan the text about once in all.
class FrontSearch
{
public:
    FrontSearch(const CombinationBuffer &buffer, QString needle);
    qsizetype position()
    {
        // Searched again only once the front has passed the occurrence (or at
        // first); none left stays none, as nothing is ever inserted.
        if (m_at < m_buffer.m_front && m_at != -1)
            search();
        return m_at < 0 ? 0 : m_at - m_buffer.m_front + 1;
    }

private:
    void search();

    const CombinationBuffer &m_buffer;
    QString m_needle;
    qsizetype m_at = -2; // absolute index of the occurrence; -1 none left, -2 not searched yet
};

} // namespace dezenario
