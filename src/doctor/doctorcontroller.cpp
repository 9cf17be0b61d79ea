#include "doctor/doctorcontroller.h"

#include "doctor/scriptdoctor.h"
#include "document/linkedundo.h"
#include "document/scripteditors.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "ports/ports.h"
#include "widgets/actions.h"
#include "widgets/panels.h"
#include "widgets/statuspanels.h"

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFragmentRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QString kindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Error:
        return DoctorController::tr("Error");
    case FindingKind::Warning:
        return DoctorController::tr("Old code");
    case FindingKind::Hint:
        break;
    }
    return DoctorController::tr("Hint");
}

// The marks of the margin: a red dot for an error, an orange square for old
// code, a grey dot for a hint.
QIcon kindIcon(FindingKind kind)
{
    static const std::array<QIcon, 3> icons = [] {
        std::array<QIcon, 3> made;
        const std::array<QColor, 3> colours = {QColor(0xe0, 0x30, 0x30), QColor(0xe0, 0x90, 0x20),
                                               QColor(0xa0, 0xa0, 0xa0)};
        for (int kind = 0; kind < 3; ++kind) {
            QPixmap pixmap(12, 12);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(colours[kind].darker(140));
            painter.setBrush(colours[kind]);
            if (kind == 1)
                painter.drawRect(QRectF(2.5, 2.5, 7, 7));
            else
                painter.drawEllipse(
                    QRectF(kind == 0 ? 1.5 : 3.5, kind == 0 ? 1.5 : 3.5, kind == 0 ? 9 : 5, kind == 0 ? 9 : 5));
            made[kind] = QIcon(pixmap);
        }
        return made;
    }();
    return icons[static_cast<size_t>(kind)];
}

// Fix all makes the warnings' fixes; a hint's (the LANGUAGE attribute, the
// comment wrapper that the program's own new scripts keep) only on its own.
bool isFixedByFixAll(const Finding &finding)
{
    return !finding.fix.empty() && finding.kind == FindingKind::Warning;
}

// Enter acts on the current item, as the list's own keys do not.
class ProblemsList final : public QTreeWidget {
public:
    std::function<void(QTreeWidgetItem *)> onEnter;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() && onEnter) {
            onEnter(currentItem());
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }
};

}  // namespace

DoctorController::DoctorController(const Ports &ports, QVBoxLayout *problems, QObject *parent)
    : QObject(parent), m_ports(ports), m_latest(std::make_shared<LatestGenerations>())
{
    qRegisterMetaType<ExaminationRequest>();
    qRegisterMetaType<ExaminationResult>();
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("script doctor"));
    m_worker = new ExaminationWorker(m_latest);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start(QThread::LowPriority);

    auto *list = new ProblemsList;
    list->onEnter = [this](QTreeWidgetItem *item) { actOnItem(item, true); };
    m_list = list;
    m_list->setObjectName(QStringLiteral("LST_Problems"));
    m_list->setAccessibleName(tr("Problems"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Where"), tr("Problem")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setToolTip(tr("Double click goes to the problem; Enter makes its fix where one is safe"));
    problems->addWidget(m_list, 1);
    QToolBar *strip = makeButtonStrip(QStringLiteral("PNL_ProblemsStrip"), *m_ports.actions, problems->parentWidget());
    problems->addWidget(strip);
    tabThroughStrip(m_list, strip);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { actOnItem(item, false); });

    m_ports.actions->bind("doctor.nextError", this, [this] { goToError(true); });
    m_ports.actions->bind("doctor.previousError", this, [this] { goToError(false); });
    m_ports.actions->bind("doctor.fixAllSafe", this, [this] { fixAllSafeOnes(); });
    m_ports.actions->setEnabled("doctor.fixAllSafe", false);
    if (m_ports.editors->exist())
        attach();
    else
        connect(m_ports.editors, &ScriptEditors::created, this, &DoctorController::attach);
}

DoctorController::~DoctorController()
{
    m_thread->quit();
    m_thread->wait();
}

void DoctorController::attach()
{
    std::array<ScriptEditor *, 2> editors = {m_ports.editors->head(), m_ports.editors->body()};
    for (int fragment = 0; fragment < 2; ++fragment) {
        auto *doctor = new ScriptDoctor(*editors[fragment], fragment, this);
        m_doctors[fragment] = doctor;
        connect(
            doctor, &ScriptDoctor::wanted, this,
            [this](const ExaminationRequest &request) {
                (*m_latest)[request.fragment] = request.generation;
                QMetaObject::invokeMethod(
                    m_worker, [worker = m_worker, request] { worker->examine(request); }, Qt::QueuedConnection);
            },
            Qt::DirectConnection);
        connect(doctor, &ScriptDoctor::findingsChanged, this, &DoctorController::fillList);
        // After the hint that the focus moving into the editor shows.
        connect(
            doctor, &ScriptDoctor::caretMessageChanged, this,
            [this](const QString &message) {
                m_ports.status->setText(StatusPanels::Hint,
                                        message.isEmpty() ? StatusPanels::hintText(QString()) : message);
            },
            Qt::QueuedConnection);
    }
    connect(m_worker, &ExaminationWorker::examined, this, [this](const ExaminationResult &result) {
        if (ScriptDoctor *doctor = m_doctors[result.fragment])
            doctor->show(result);
    });
}

void DoctorController::fillList()
{
    m_list->clear();
    bool anyFix = false;
    static const QString kNames[] = {QStringLiteral("HEAD"), QStringLiteral("BODY")};
    for (int fragment = 0; fragment < 2; ++fragment) {
        const ScriptDoctor *doctor = m_doctors[fragment];
        if (!doctor)
            continue;
        ScriptEditor &editor = doctor->editor();
        for (size_t i = 0; i < doctor->findings().size(); ++i) {
            const Finding &finding = doctor->findings()[i];
            // The editor's own line index, not a count through the text
            // before each finding (a large script has many).
            const long line = editor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                                   static_cast<unsigned long>(finding.start)) +
                              1;
            QString message = finding.message;
            if (!finding.fix.empty()) {
                message += tr(" (Enter fixes it)");
                anyFix = anyFix || isFixedByFixAll(finding);
            }
            const QString where = tr("%1, line %2").arg(kNames[fragment]).arg(line);
            auto *item = new QTreeWidgetItem(m_list, {where, message});
            // The kind is the mark beside the place, as in the margin; told
            // in words to the tooltip and to assistive technology.
            item->setIcon(0, kindIcon(finding.kind));
            item->setToolTip(0, kindName(finding.kind));
            item->setData(0, Qt::AccessibleTextRole, QString(kindName(finding.kind) + QStringLiteral(", ") + where));
            item->setData(0, kFragmentRole, fragment);
            item->setData(0, kIndexRole, static_cast<int>(i));
            item->setToolTip(1, finding.message);
        }
    }
    m_list->resizeColumnToContents(0);
    m_ports.actions->setEnabled("doctor.fixAllSafe", anyFix);
}

void DoctorController::bringUpToDate(ScriptDoctor &doctor)
{
    if (doctor.current())
        return;
    if (!m_checker)
        m_checker = std::make_unique<JsSyntaxChecker>();
    ExaminationResult result;
    result.fragment = doctor.fragment();
    result.generation = doctor.generation();
    result.findings = examineFragment(doctor.editor().textBytes(), schemeSourceKind(doctor.editor()), *m_checker);
    doctor.show(result);
}

void DoctorController::actOnItem(QTreeWidgetItem *item, bool fix)
{
    if (!item)
        return;
    ScriptDoctor *doctor = m_doctors[item->data(0, kFragmentRole).toInt() & 1];
    const int index = item->data(0, kIndexRole).toInt();
    if (!doctor || !doctor->current() || index < 0 || index >= static_cast<int>(doctor->findings().size()))
        return;
    const Finding finding = doctor->findings()[static_cast<size_t>(index)];
    if (fix && !finding.fix.empty()) {
        doctor->applyFixes({finding});
        return;
    }
    doctor->goTo(finding);
}

void DoctorController::goToError(bool forward)
{
    if (!m_doctors[0])
        return;
    const int first = m_ports.editors->currentIsHead() ? 0 : 1;
    for (ScriptDoctor *doctor : m_doctors)
        bringUpToDate(*doctor);
    ScriptDoctor &here = *m_doctors[first];
    ScriptDoctor &other = *m_doctors[1 - first];
    const int caret = static_cast<int>(here.editor().SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
    const auto isError = [](const Finding &f) { return f.kind == FindingKind::Error; };
    const auto &findings = here.findings();
    const bool moreHere = forward ? std::any_of(findings.begin(), findings.end(),
                                                [&](const Finding &f) { return isError(f) && f.start > caret; })
                                  : std::any_of(findings.begin(), findings.end(),
                                                [&](const Finding &f) { return isError(f) && f.start < caret; });
    const bool inOther = std::any_of(other.findings().begin(), other.findings().end(), isError);
    if (moreHere || !inOther) {
        if (here.goToError(forward))
            m_ports.editors->setCurrent(&here.editor());
        return;
    }
    // On into the other editor, at its first (last) error.
    const auto &there = other.findings();
    const auto target = forward ? std::find_if(there.begin(), there.end(), isError)
                                : std::find_if(there.rbegin(), there.rend(), isError).base() - 1;
    other.goTo(*target);
    m_ports.editors->setCurrent(&other.editor());
}

void DoctorController::fixAllSafeOnes()
{
    if (!m_doctors[0])
        return;
    for (ScriptDoctor *doctor : m_doctors)
        bringUpToDate(*doctor);
    const auto fixIn = [](ScriptDoctor *doctor) -> std::function<void(ScriptEditor &)> {
        std::vector<Finding> fixed;
        std::copy_if(doctor->findings().begin(), doctor->findings().end(), std::back_inserter(fixed), isFixedByFixAll);
        if (fixed.empty())
            return {};
        return [doctor, fixed](ScriptEditor &) { doctor->applyFixes(fixed); };
    };
    editBothAsOneStep(*m_ports.editors, fixIn(m_doctors[0]), fixIn(m_doctors[1]));
}
