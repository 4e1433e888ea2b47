#include "word/libreoffice/numbering.h"

#include <vector>

#include "word/libreoffice/unostring.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/LabelFollow.hpp>
#include <com/sun/star/text/XTextTable.hpp>

namespace pw::word::lo {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

struct Label {
    Reference<css::beans::XPropertySet> paragraph;
    OUString text;
};

OUString follower(const Reference<css::beans::XPropertySet>& paragraph) {
    sal_Int16 level = 0;
    paragraph->getPropertyValue("NumberingLevel") >>= level;
    Reference<css::container::XIndexAccess> rules;
    paragraph->getPropertyValue("NumberingRules") >>= rules;
    if (!rules.is() || level < 0 || level >= rules->getCount()) return "\t";
    css::uno::Sequence<css::beans::PropertyValue> props;
    rules->getByIndex(level) >>= props;
    for (const auto& p : props) {
        if (p.Name != "LabelFollowedBy") continue;
        sal_Int16 follow = css::text::LabelFollow::LISTTAB;
        p.Value >>= follow;
        if (follow == css::text::LabelFollow::SPACE) return " ";
        if (follow == css::text::LabelFollow::NOTHING) return "";
        return "\t";
    }
    return "\t";
}

void collect(const Reference<css::text::XText>& text, std::vector<Label>& labels) {
    Reference<css::container::XEnumeration> paragraphs =
        Reference<css::container::XEnumerationAccess>(text, UNO_QUERY_THROW)->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        const css::uno::Any element = paragraphs->nextElement();
        Reference<css::text::XTextTable> table(element, UNO_QUERY);
        if (table.is()) {
            for (const OUString& name : table->getCellNames()) {
                Reference<css::text::XText> cell(table->getCellByName(name), UNO_QUERY);
                if (cell.is()) collect(cell, labels);
            }
            continue;
        }
        Reference<css::beans::XPropertySet> paragraph(element, UNO_QUERY);
        if (!paragraph.is()) continue;
        OUString label;
        paragraph->getPropertyValue("ListLabelString") >>= label;
        if (!label.isEmpty()) labels.push_back({paragraph, label + follower(paragraph)});
    }
}

}  // namespace

void convertListLabelsToText(const Reference<css::text::XText>& text) {
    // All labels are read before any is changed: taking one paragraph out of its list would
    // renumber the ones after it.
    std::vector<Label> labels;
    collect(text, labels);
    for (const Label& label : labels) {
        label.paragraph->setPropertyValue("NumberingIsNumber", css::uno::Any(false));
        Reference<css::text::XTextRange> range(label.paragraph, UNO_QUERY_THROW);
        range->getText()->insertString(range->getStart(), label.text, false);
    }
}

}  // namespace pw::word::lo
