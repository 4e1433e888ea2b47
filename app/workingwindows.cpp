#include "app/workingwindows.h"

#include "merge/window/frmunite.h"
#include "split/window/frmsplit.h"

namespace pw {

WorkingWindows::WorkingWindows(word::ApplicationFactory& office, QObject* parent)
    : QObject(parent), m_office(office) {}

WorkingWindows::~WorkingWindows() = default;

frmSplit& WorkingWindows::loadSplit() {
    if (!m_split) {
        m_split = std::make_unique<frmSplit>(m_office);
        connect(m_split.get(), &frmSplit::mergeWindowRequested, this,
                &WorkingWindows::switchToUnite);
        connect(m_split.get(), &frmSplit::closing, this, [this] {
            if (m_unite && !m_unite->isClosing()) m_unite->close();
        });
    }
    return *m_split;
}

frmUnite& WorkingWindows::loadUnite() {
    if (!m_unite) {
        m_unite = std::make_unique<frmUnite>(m_office);
        connect(m_unite.get(), &frmUnite::splitWindowRequested, this,
                &WorkingWindows::switchToSplit);
        connect(m_unite.get(), &frmUnite::closing, this, [this] {
            if (m_split && !m_split->isClosing()) m_split->close();
        });
    }
    return *m_unite;
}

void WorkingWindows::showSplit() {
    loadSplit().show();
}

void WorkingWindows::showUnite() {
    loadUnite().show();
}

void WorkingWindows::switchToUnite() {
    frmUnite& unite = loadUnite();
    // A window shown again offers its own function, so choosing the other one works at once.
    unite.resetFunction();
    // The other window takes this one's place rather than the middle of the screen.
    if (m_split) unite.takePlaceOf(*m_split);
    unite.show();
    unite.activateWindow();
    if (m_split) m_split->hide();
}

void WorkingWindows::switchToSplit() {
    frmSplit& split = loadSplit();
    split.resetFunction();
    if (m_unite) split.takePlaceOf(*m_unite);
    if (m_unite) m_unite->hide();
    split.show();
    split.activateWindow();
}

QWidget* WorkingWindows::visibleWindow() const {
    if (m_split && m_split->isVisible()) return m_split.get();
    if (m_unite && m_unite->isVisible()) return m_unite.get();
    return nullptr;
}

}  // namespace pw
