#include "word/libreoffice/placedtables.h"

#include <map>
#include <vector>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include "word/libreoffice/editing.h"

namespace pw::word::lo {

using css::beans::PropertyValue;
using css::beans::XPropertySet;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr char Placement[] = "TablePosition";

sal_Int32 twipsToMm100(sal_Int32 twips) {
    return sal_Int32(twips * 127.0 / 72.0 + 0.5);
}

const Any* find(const Sequence<PropertyValue>& values, const char* name) {
    for (const PropertyValue& v : values)
        if (v.Name.equalsAscii(name)) return &v.Value;
    return nullptr;
}

sal_Int32 intOf(const Sequence<PropertyValue>& values, const char* name) {
    sal_Int32 n = 0;
    if (const Any* v = find(values, name)) *v >>= n;
    return n;
}

// The office's own rule on opening: a placed table floats where its width, the room kept
// around it and a margin Word keeps still leave room for text in the text area.
bool wouldFloat(const Reference<css::frame::XModel>& model,
                const Reference<css::text::XTextTable>& table,
                const Sequence<PropertyValue>& placement) {
    Reference<XPropertySet> props(table, UNO_QUERY_THROW);
    sal_Int32 width = 0;
    props->getPropertyValue("Width") >>= width;
    const sal_Int32 needed = width + twipsToMm100(intOf(placement, "leftFromText") +
                                                  intOf(placement, "rightFromText") + 469);
    Reference<css::text::XText> cell(table->getCellByName(table->getCellNames()[0]),
                                     UNO_QUERY_THROW);
    OUString styleName;
    Reference<XPropertySet>(cell->createTextCursor(), UNO_QUERY_THROW)
        ->getPropertyValue("PageStyleName") >>= styleName;
    Reference<XPropertySet> style = pageStyleNamed(model, styleName);
    sal_Int32 page = 0, left = 0, right = 0;
    style->getPropertyValue("Width") >>= page;
    style->getPropertyValue("LeftMargin") >>= left;
    style->getPropertyValue("RightMargin") >>= right;
    return needed < page - left - right;
}

}  // namespace

void keepPlacedTablesInText(DocState& doc) {
    Reference<css::container::XIndexAccess> all(
        Reference<css::text::XTextTablesSupplier>(doc.model, UNO_QUERY_THROW)->getTextTables(),
        UNO_QUERY_THROW);
    // What the office keeps of each placed table, by name.
    std::map<OUString, Sequence<PropertyValue>> placed;
    for (sal_Int32 i = 0; i < all->getCount(); ++i) {
        Reference<XPropertySet> table(all->getByIndex(i), UNO_QUERY_THROW);
        Sequence<PropertyValue> bag;
        table->getPropertyValue("TableInteropGrabBag") >>= bag;
        if (find(bag, Placement))
            placed.emplace(Reference<css::container::XNamed>(table, UNO_QUERY_THROW)->getName(),
                           bag);
    }
    if (placed.empty()) return;
    // Only tables of the running text itself: one in a frame is stored as that frame.
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(doc.body, UNO_QUERY_THROW)
            ->createEnumeration();
    while (items->hasMoreElements()) {
        Reference<css::text::XTextTable> table(items->nextElement(), UNO_QUERY);
        if (!table.is()) continue;
        const auto it =
            placed.find(Reference<css::container::XNamed>(table, UNO_QUERY_THROW)->getName());
        if (it == placed.end()) continue;
        const Sequence<PropertyValue>& bag = it->second;
        if (!wouldFloat(doc.model, table, (*find(bag, Placement)).get<Sequence<PropertyValue>>()))
            continue;
        std::vector<PropertyValue> kept;
        for (const PropertyValue& v : bag)
            if (!v.Name.equalsAscii(Placement)) kept.push_back(v);
        Reference<XPropertySet>(table, UNO_QUERY_THROW)
            ->setPropertyValue("TableInteropGrabBag",
                               Any(Sequence<PropertyValue>(kept.data(), sal_Int32(kept.size()))));
    }
}

}  // namespace pw::word::lo
