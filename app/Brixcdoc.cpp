#include "app/Brixcdoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <fstream>

#include "app/LastProgramRecord.h"
#include "app/Mainfrm.h"
#include "app/ProgramImage.h"
#include "app/ProgramListing.h"
#include "app/TorvanApp.h"
#include "periph/ConfigFile.h"
#include "platform/MessageBox.h"
#include "sim/Simulator.h"

namespace {
constexpr const char* kTemplateProperty = "torvanDocTemplate";
constexpr const char* kHexSuffix = "hex";
constexpr const char* kConfigSuffix = ".cfg";

// Copies text into a fixed field only when it fits with its NUL; otherwise
// the field is left empty rather than holding a cut path.
template <std::size_t N>
void StoreWhole(char (&field)[N], const QByteArray& text) {
    field[0] = '\0';
    if (static_cast<std::size_t>(text.size()) >= N || text.contains('\0')) return;
    std::memcpy(field, text.constData(), static_cast<std::size_t>(text.size()));
    field[text.size()] = '\0';
}

// Cuts text to the field, never inside a multi-byte character.
template <std::size_t N>
void StoreCut(char (&field)[N], const QByteArray& text) {
    std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(text.size()), N - 1);
    while (length > 0 && length < static_cast<std::size_t>(text.size()) &&
           (static_cast<unsigned char>(text[static_cast<int>(length)]) & 0xC0) == 0x80)
        --length;
    std::memcpy(field, text.constData(), length);
    field[length] = '\0';
}

// A path that names a readable file (not a folder) opened as bytes.
bool OpenForReading(const QString& path, std::ifstream& stream) {
    const QFileInfo info(path);
    if (!info.isFile()) return false;
    stream.open(QFile::encodeName(path).toStdString(), std::ios::binary);
    return stream.is_open();
}

u8* TargetMemory() {
    if (g_Sim.m_pMemory == nullptr) g_Sim.InitMemoryCleared();
    return g_Sim.m_pMemory;
}
}  // namespace

// ---- CView ----

CView::~CView() {
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

// ---- CTorvanDoc ----

CTorvanDoc::CTorvanDoc() = default;

CTorvanDoc::~CTorvanDoc() {
    for (CView* pView : m_viewList) pView->m_pDocument = nullptr;
}

void CTorvanDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    emit titleChanged(title);
}

void CTorvanDoc::SetPathName(const QString& path) {
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CTorvanDoc::AddView(CView* pView) {
    if (pView == nullptr || m_viewList.contains(pView)) return;
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this) pView->m_pDocument->RemoveView(pView);
    pView->m_pDocument = this;
    m_viewList.append(pView);
    emit viewsChanged();
}

void CTorvanDoc::RemoveView(CView* pView) {
    if (!m_viewList.removeOne(pView)) return;
    pView->m_pDocument = nullptr;
    emit viewsChanged();
    // A document lives as long as it has windows.
    if (m_viewList.isEmpty() && !m_bClosing) {
        m_bClosing = true;
        deleteLater();
    }
}

void CTorvanDoc::OnCloseDocument() {
    if (m_bClosing && m_viewList.isEmpty()) return;
    m_bClosing = true;
    const QList<CView*> views = m_viewList;
    m_viewList.clear();
    for (CView* pView : views) {
        pView->m_pDocument = nullptr;
        QWidget* pWidget = dynamic_cast<QWidget*>(pView);
        for (QWidget* p = pWidget; p != nullptr; p = p->parentWidget()) {
            if (auto* pFrame = qobject_cast<QMdiSubWindow*>(p)) {
                pFrame->close();
                break;
            }
        }
    }
    emit viewsChanged();
    deleteLater();
}

void CTorvanDoc::UpdateAllViews(CView* pSender, long lHint) {
    // A view's update may close windows; walk a copy and skip views gone.
    const QList<CView*> views = m_viewList;
    for (CView* pView : views) {
        if (pView != pSender && m_viewList.contains(pView)) pView->OnUpdate(pSender, lHint);
    }
}

bool CTorvanDoc::OnOpenDocument(const QString& path) {
    RecordLastProgram(path);
    StoreWhole(g_Sim.m_szProgramPath, QFile::encodeName(path));
    const bool bHex = QFileInfo(path).suffix().compare(QLatin1String(kHexSuffix), Qt::CaseInsensitive) == 0;
    StoreProgramNames(path);
    LoadProgramConfig(path);

    g_Sim.m_bRebuildPortsOnStep = 1;
    g_Sim.m_bRebuildPortsOnRun = 1;
    g_Sim.m_bRunning = 0;
    g_Sim.Reset();
    g_CurrentLine = 1;

    if (bHex) {
        const int result = LoadHexFile(path);
        if (result == kHexCannotOpen) AfxMessageBox(QStringLiteral("Can't open file"));
        if (result == kHexNotValid) AfxMessageBox(QStringLiteral("Not a valid .HEX file"));
        return true;
    }
    if (!LoadRawImage(path)) {
        AfxMessageBox(QStringLiteral("Can't open .Bin file"));
        return false;
    }
    return true;
}

void CTorvanDoc::RecordLastProgram(const QString& path) {
    const LastProgramRecord::Record record = LastProgramRecord::Make(QFile::encodeName(path).toStdString());
    QFile file(StartupCfgPath());
    // Opened for update: the file is created when missing and never cut.
    const bool bWritten = !file.fileName().isEmpty() && file.open(QIODevice::ReadWrite) && file.seek(0) &&
                          file.write(record.data(), record.size()) == static_cast<qint64>(record.size());
    file.close();
    if (!bWritten) AfxMessageBox(QStringLiteral("Cannot open KOMR.CFG file for writing"));
}

void CTorvanDoc::StoreProgramNames(const QString& path) {
    StoreCut(g_Sim.m_szProgramName, QFile::encodeName(QFileInfo(path).fileName()));
}

void CTorvanDoc::LoadProgramConfig(const QString& path) {
    const QFileInfo info(path);
    const QString configPath = info.dir().filePath(info.completeBaseName() + QLatin1String(kConfigSuffix));
    const std::string nativePath = QFile::encodeName(configPath).toStdString();
    const std::string message = ConfigResultMessage(g_Sim.LoadConfig(nativePath.c_str()), nativePath);
    if (!message.empty()) AfxMessageBox(QString::fromLocal8Bit(message.c_str()));
}

int CTorvanDoc::LoadHexFile(const QString& path) {
    std::ifstream stream;
    if (!OpenForReading(path, stream)) return kHexCannotOpen;
    return ProgramImage::LoadHex(stream, TargetMemory()) == ProgramImage::kHexLoaded ? kHexLoaded : kHexNotValid;
}

bool CTorvanDoc::LoadRawImage(const QString& path) {
    std::ifstream stream;
    if (!OpenForReading(path, stream)) return false;
    ProgramImage::LoadRaw(stream, TargetMemory());
    return true;
}

// ---- CMultiDocTemplate ----

QMdiSubWindow* CMultiDocTemplate::CreateNewFrame(CTorvanDoc* pDoc, QMdiSubWindow* pOther) {
    CMainFrame* pMainFrame = AfxGetMainWnd();
    if (m_pfnCreate == nullptr || pDoc == nullptr || pMainFrame == nullptr) return nullptr;

    QMdiSubWindow* pFrame = m_pfnCreate(pDoc);
    if (pFrame == nullptr) return nullptr;
    pFrame->setAttribute(Qt::WA_DeleteOnClose);
    pFrame->setProperty(kTemplateProperty, QVariant::fromValue(static_cast<void*>(this)));
    QMdiArea* pArea = pMainFrame->MDIClient();
    pArea->addSubWindow(pFrame);
    m_pfnPlace(pFrame, pArea->viewport()->size());
    return pFrame;
}

void CMultiDocTemplate::InitialUpdateFrame(QMdiSubWindow* pFrame, CTorvanDoc* pDoc, bool bMakeVisible) {
    if (pFrame == nullptr) return;
    if (pFrame->windowTitle().isEmpty() && pDoc != nullptr) {
        // Frames without a title of their own show the document's name.
        pFrame->setWindowTitle(pDoc->GetTitle());
        QObject::connect(pDoc, &CTorvanDoc::titleChanged, pFrame, &QWidget::setWindowTitle);
    }
    if (CView* pView = ViewOfFrame(pFrame)) pView->OnInitialUpdate();
    if (!bMakeVisible) return;
    pFrame->show();
    if (QMdiArea* pArea = pFrame->mdiArea()) pArea->setActiveSubWindow(pFrame);
}

CView* ViewOfFrame(const QMdiSubWindow* pFrame) {
    return pFrame != nullptr ? dynamic_cast<CView*>(pFrame->widget()) : nullptr;
}

CMultiDocTemplate* TemplateOfFrame(const QMdiSubWindow* pFrame) {
    if (pFrame == nullptr) return nullptr;
    return static_cast<CMultiDocTemplate*>(pFrame->property(kTemplateProperty).value<void*>());
}
