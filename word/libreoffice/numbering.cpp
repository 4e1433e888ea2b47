#include "word/libreoffice/numbering.h"

#include <map>
#include <set>
#include <vector>

#include "word/libreoffice/unostring.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XIndexReplace.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/LabelFollow.hpp>
#include <com/sun/star/text/XNumberingRulesSupplier.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>

namespace pw::word::lo {

namespace css = com::sun::star;
using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

struct Label {
    Reference<css::text::XText> text;  // the text the paragraph lives in
    Reference<css::text::XTextRange> paragraph;
    OUString label;
    OUString style;  // the list style; empty for numbering set on the paragraph itself
    sal_Int16 level = 0;
};

// How a level of a list writes its labels.
struct LevelForm {
    OUString follower = "\t";  // what separates the label from the text
    bool counted = true;       // numbers, letters and the like; false for bullets and pictures
};

bool isCounted(sal_Int16 type) {
    using namespace css::style::NumberingType;
    return type != CHAR_SPECIAL && type != BITMAP && type != NUMBER_NONE;
}

LevelForm levelForm(const Reference<css::container::XIndexAccess>& rules, sal_Int16 level) {
    LevelForm form;
    if (!rules.is() || level < 0 || level >= rules->getCount()) return form;
    Sequence<PropertyValue> props;
    rules->getByIndex(level) >>= props;
    for (const auto& p : props) {
        if (p.Name == "LabelFollowedBy") {
            sal_Int16 follow = css::text::LabelFollow::LISTTAB;
            p.Value >>= follow;
            if (follow == css::text::LabelFollow::SPACE) form.follower = " ";
            if (follow == css::text::LabelFollow::NOTHING) form.follower = "";
        } else if (p.Name == "NumberingType") {
            sal_Int16 type = css::style::NumberingType::ARABIC;
            p.Value >>= type;
            form.counted = isCounted(type);
        }
    }
    return form;
}

void collect(const Reference<css::text::XText>& text, std::vector<Label>& labels) {
    const OUString wanted[] = {"ListLabelString", "NumberingStyleName", "NumberingLevel"};
    const Sequence<OUString> names(wanted, 3);
    Reference<css::container::XEnumeration> paragraphs =
        Reference<css::container::XEnumerationAccess>(text, UNO_QUERY_THROW)->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        const Any element = paragraphs->nextElement();
        Reference<css::text::XTextTable> table(element, UNO_QUERY);
        if (table.is()) {
            for (const OUString& name : table->getCellNames()) {
                Reference<css::text::XText> cell(table->getCellByName(name), UNO_QUERY);
                if (cell.is()) collect(cell, labels);
            }
            continue;
        }
        Reference<css::beans::XMultiPropertySet> paragraph(element, UNO_QUERY);
        if (!paragraph.is()) continue;
        // One round trip a paragraph: on long lists the bridge, not the office, is the cost.
        const Sequence<Any> values = paragraph->getPropertyValues(names);
        Label label{text, Reference<css::text::XTextRange>(element, UNO_QUERY), {}, {}, 0};
        values[0] >>= label.label;
        if (label.label.isEmpty() || !label.paragraph.is()) continue;
        values[1] >>= label.style;
        values[2] >>= label.level;
        labels.push_back(std::move(label));
    }
}

// The list styles in use, each with its rules; changed once each instead of once a paragraph.
class ListStyles {
public:
    explicit ListStyles(const Reference<css::frame::XModel>& model) {
        Reference<css::style::XStyleFamiliesSupplier> families(model, UNO_QUERY_THROW);
        m_styles.set(families->getStyleFamilies()->getByName("NumberingStyles"), UNO_QUERY_THROW);
    }

    Reference<css::container::XIndexAccess> rules(const OUString& style) {
        auto found = m_rules.find(style);
        if (found != m_rules.end()) return found->second;
        Reference<css::container::XIndexAccess> rules;
        if (m_styles->hasByName(style)) {
            Reference<css::beans::XPropertySet> props(m_styles->getByName(style), UNO_QUERY_THROW);
            props->getPropertyValue("NumberingRules") >>= rules;
        }
        m_rules.emplace(style, rules);
        return rules;
    }

    LevelForm form(const OUString& style, sal_Int16 level) {
        auto key = std::make_pair(style, level);
        auto found = m_forms.find(key);
        if (found != m_forms.end()) return found->second;
        return m_forms[key] = levelForm(rules(style), level);
    }

    // The counted levels of every style used show no label any more; bullets stay, and so do
    // the indents.
    void silenceAll() {
        for (const auto& [style, rules] : m_rules) {
            Reference<css::container::XIndexReplace> levels(rules, UNO_QUERY);
            if (!levels.is()) continue;
            for (sal_Int32 i = 0; i < levels->getCount(); ++i) {
                Sequence<PropertyValue> props;
                levels->getByIndex(i) >>= props;
                bool counted = false;
                for (const PropertyValue& p : std::as_const(props)) {
                    sal_Int16 type = 0;
                    if (p.Name == "NumberingType" && (p.Value >>= type)) counted = isCounted(type);
                }
                if (!counted) continue;
                for (PropertyValue* p = props.getArray(); p != props.getArray() + props.getLength();
                     ++p) {
                    if (p->Name == "NumberingType")
                        p->Value <<= sal_Int16(css::style::NumberingType::NUMBER_NONE);
                    else if (p->Name == "Prefix" || p->Name == "Suffix" || p->Name == "ListFormat")
                        p->Value <<= OUString();
                }
                levels->replaceByIndex(i, Any(props));
            }
            Reference<css::beans::XPropertySet>(m_styles->getByName(style), UNO_QUERY_THROW)
                ->setPropertyValue("NumberingRules", Any(rules));
        }
    }

private:
    Reference<css::container::XNameAccess> m_styles;
    std::map<OUString, Reference<css::container::XIndexAccess>> m_rules;
    std::map<std::pair<OUString, sal_Int16>, LevelForm> m_forms;
};

// Neither layout nor undo history follows each of thousands of small changes.
struct QuietEdits {
    Reference<css::frame::XModel> model;
    Reference<css::document::XUndoManager> undo;
    explicit QuietEdits(const Reference<css::frame::XModel>& m) : model(m) {
        model->lockControllers();
        undo = Reference<css::document::XUndoManagerSupplier>(model, UNO_QUERY_THROW)
                   ->getUndoManager();
        undo->lock();
    }
    ~QuietEdits() {
        try {
            undo->unlock();
            model->unlockControllers();
        } catch (const css::uno::Exception&) {
        }
    }
};

// Whether any paragraph may show a list label, asked of the lists rather than of every
// paragraph: a walk of all paragraphs costs several round trips each, and most documents have
// no list at all. Every numbered paragraph belongs to a list style in use, to an automatic list
// or to the outline; only a counted or labelled outline level can show a label.
bool mayHaveLabels(const Reference<css::frame::XModel>& model) {
    Reference<css::style::XStyleFamiliesSupplier> families(model, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> styles(
        families->getStyleFamilies()->getByName("NumberingStyles"), UNO_QUERY_THROW);
    for (const OUString& name : styles->getElementNames()) {
        Reference<css::style::XStyle> style(styles->getByName(name), UNO_QUERY);
        if (style.is() && style->isInUse()) return true;
    }
    Reference<css::text::XNumberingRulesSupplier> supplier(model, UNO_QUERY);
    if (!supplier.is()) return true;
    Reference<css::container::XIndexAccess> all = supplier->getNumberingRules();
    for (sal_Int32 i = 0; all.is() && i < all->getCount(); ++i) {
        Reference<css::beans::XPropertySet> rules(all->getByIndex(i), UNO_QUERY);
        if (!rules.is()) return true;
        bool automatic = false, outline = false;
        rules->getPropertyValue("IsAutomatic") >>= automatic;
        rules->getPropertyValue("NumberingIsOutline") >>= outline;
        // The outline counts as automatic too: it is looked into.
        if (!outline) {
            if (automatic) return true;
            continue;
        }
        Reference<css::container::XIndexAccess> levels(rules, UNO_QUERY_THROW);
        for (sal_Int32 level = 0; level < levels->getCount(); ++level) {
            Sequence<PropertyValue> props;
            levels->getByIndex(level) >>= props;
            for (const PropertyValue& p : std::as_const(props)) {
                sal_Int16 type = 0;
                OUString text;
                if (p.Name == "NumberingType" && (p.Value >>= type) &&
                    type != css::style::NumberingType::NUMBER_NONE)
                    return true;
                if ((p.Name == "Prefix" || p.Name == "Suffix") && (p.Value >>= text) &&
                    !text.isEmpty())
                    return true;
            }
        }
    }
    return false;
}

}  // namespace

void convertListLabelsToText(const Reference<css::frame::XModel>& model,
                             const Reference<css::text::XText>& text) {
    if (!mayHaveLabels(model)) return;
    // Every label is read before any is changed: changing one list would renumber the rest.
    std::vector<Label> labels;
    collect(text, labels);
    Reference<css::text::XTextFramesSupplier> frames(model, UNO_QUERY);
    if (frames.is()) {
        Reference<css::container::XIndexAccess> all(frames->getTextFrames(), UNO_QUERY);
        for (sal_Int32 i = 0; all.is() && i < all->getCount(); ++i) {
            Reference<css::text::XText> frameText(all->getByIndex(i), UNO_QUERY);
            if (frameText.is()) collect(frameText, labels);
        }
    }
    if (labels.empty()) return;

    QuietEdits quiet(model);
    ListStyles styles(model);
    for (const Label& label : labels) {
        LevelForm form;
        if (label.style.isEmpty()) {
            // Numbering set on the paragraph itself: taken out of the count one by one.
            Reference<css::beans::XPropertySet> paragraph(label.paragraph, UNO_QUERY_THROW);
            Reference<css::container::XIndexAccess> rules;
            paragraph->getPropertyValue("NumberingRules") >>= rules;
            form = levelForm(rules, label.level);
            paragraph->setPropertyValue("NumberingIsNumber", Any(false));
        } else {
            form = styles.form(label.style, label.level);
            if (!form.counted) continue;  // a bullet stays a bullet
        }
        label.text->insertString(label.paragraph->getStart(), label.label + form.follower, false);
    }
    styles.silenceAll();
}

}  // namespace pw::word::lo
