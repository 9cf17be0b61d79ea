#pragma once
// The script doctor in the window: a look at each editor after a pause in
// typing (the looks made on a worker thread of its own), the marks they
// leave, the Problems list under the Functions tab, and the commands that
// go from error to error and make the safe fixes.

#include "doctor/examination.h"

#include <QObject>

#include <array>
#include <memory>

struct Ports;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class ScriptDoctor;
class ScriptEditor;

class DoctorController final : public QObject {
    Q_OBJECT
public:
    /// problems is where the Problems list and its strip go.
    DoctorController(const Ports &ports, QVBoxLayout *problems, QObject *parent = nullptr);
    ~DoctorController() override;

    /// HEAD_ED's (0) or BODY_ED's (1) doctor; null before the editors exist.
    ScriptDoctor *doctor(int fragment) const { return m_doctors[fragment]; }
    QTreeWidget *problemsList() const { return m_list; }

    /// F4 and Shift+F4: the next (previous) error after (before) the
    /// caret of the current editor, on into the other editor and round.
    void goToError(bool forward);
    /// Makes every safe fix of both editors as one undo step.
    void fixAllSafeOnes();
    /// Enter in the list: the item's fix when it has one, else goes there.
    void actOnItem(QTreeWidgetItem *item, bool fix);

private:
    void attach();
    void fillList();
    /// Brings a doctor's findings up to its text now (a look on this
    /// thread) when typing has overtaken them.
    void bringUpToDate(ScriptDoctor &doctor);

    const Ports &m_ports;
    QTreeWidget *m_list = nullptr;
    std::array<ScriptDoctor *, 2> m_doctors{};
    std::shared_ptr<LatestGenerations> m_latest;
    QThread *m_thread = nullptr;
    ExaminationWorker *m_worker = nullptr;
    std::unique_ptr<JsSyntaxChecker> m_checker;  // for looks made on this thread
};
