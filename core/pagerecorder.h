#pragma once

#include "controls.h"

#include <span>
#include <vector>

namespace dezenario {

// The pages of a run as the print job paints them: where each mark goes, page by page. The one rule
// for pages: a page that got no mark is never ended, so the next paint goes on the same page and
// no run feeds a blank sheet. The real printer records through it and delivers at the end; the
// preview records through it and shows.
class PageRecorder : public Printer
{
public:
    void ensureAvailable() override {}
    void paintPicture(MarkPosition at) override { m_marks.push_back(at); }
    void endPage() override;
    // Ends the page painted last; the pages stay, for whoever delivers or shows them.
    void endDocument() override { endPage(); }
    void discardDocument() override;

    qsizetype pageCount() const { return qsizetype(m_pageEnds.size()); }
    // The marks of an ended page, from 0, in painting order.
    std::span<const MarkPosition> page(qsizetype index) const;

private:
    std::vector<MarkPosition> m_marks; // of every page, in painting order
    std::vector<size_t> m_pageEnds; // where each ended page's marks end in m_marks
};

} // namespace dezenario
