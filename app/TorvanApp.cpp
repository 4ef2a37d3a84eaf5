#include "app/TorvanApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPalette>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include "app/AboutDlg.h"
#include "app/Brixcdoc.h"
#include "app/LastProgramRecord.h"
#include "app/Mainfrm.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MenuSet.h"
#include "platform/AppFolder.h"
#include "platform/DialogFieldSelection.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/RegularFile.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"

namespace {
constexpr const char* kStartupFileName = "KOMR.cfg";
constexpr const char* kRecentGroup = "Recent File List";
constexpr const char* kRecentKey = "File%1";
constexpr const char* kOpenFilters = "BIN Files (*.bin);;HEX Files (*.hex);;Data Files (*.bin *.hex)";
constexpr const char* kOpenDefaultSuffix = "bin";
constexpr int kDialogGrey = 192;
// The grey of disabled text on a face of that grey, as Windows draws it;
// the platform's own disabled grey suits its own, lighter, background and
// would vanish on this one.
constexpr int kDisabledTextGrey = 128;

CTorvanApp* g_pApp = nullptr;
QString g_strStartupCfgPath;

// Dialogs and message boxes show black text on light grey; disabled
// controls keep grey text, so that what cannot be chosen does not look as
// if it could.
void SetDialogColours() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor(kDialogGrey, kDialogGrey, kDialogGrey));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     QColor(kDisabledTextGrey, kDisabledTextGrey, kDisabledTextGrey));
    QApplication::setPalette(palette, "QDialog");
}

// A path given with surrounding double quotes names the path inside them.
QString Unquoted(QString path) {
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    return path;
}
}  // namespace

CTorvanApp* AfxGetApp() { return g_pApp; }

QString StartupCfgPath() { return g_strStartupCfgPath; }
void SetStartupCfgPath(const QString& path) {
    g_strStartupCfgPath = path;
    // The machine keeps the path too when it fits its field.
    const QByteArray native = QFile::encodeName(path);
    g_Sim.m_szStartupCfgPath[0] = '\0';
    if (static_cast<std::size_t>(native.size()) < sizeof g_Sim.m_szStartupCfgPath)
        qstrncpy(g_Sim.m_szStartupCfgPath, native.constData(), sizeof g_Sim.m_szStartupCfgPath);
}

QString ChooseStartupCfgPath() {
    const QString appFolder = AppFolder();
    if (QFileInfo(appFolder).isWritable()) return QDir(appFolder).filePath(QLatin1String(kStartupFileName));
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return QDir(userFolder).filePath(QLatin1String(kStartupFileName));
}

CTorvanApp::CTorvanApp() { g_pApp = this; }

CTorvanApp::~CTorvanApp() {
    delete m_pMainWnd;
    if (g_pApp == this) g_pApp = nullptr;
}

bool CTorvanApp::InitInstance(const QStringList& arguments) {
    g_fatalMessageHandler = [](const char* text) { AfxMessageBox(QString::fromLocal8Bit(text)); };
    SetDialogColours();
    CDialogFieldSelection::Install(this);
    LoadRecentFiles();
    RegisterDocTemplates();

    m_pMainWnd = new CMainFrame();
    if (!m_pMainWnd->LoadFrame()) {
        delete m_pMainWnd;
        m_pMainWnd = nullptr;
        return false;
    }
    m_pMainWnd->SetAppCmdTarget(this);
    SetUpMenus();

    if (g_Sim.m_pMemory == nullptr) g_Sim.InitMemoryCleared();
    else CSimulator::FillHuge(g_Sim.m_pMemory, 0, kMemorySize);
    SetStartupCfgPath(ChooseStartupCfgPath());
    g_Sim.Reset();

    // The window takes the screen's size at once, so that the program
    // window placed from it next does not wait for the window manager.
    if (const QScreen* pScreen = m_pMainWnd->screen()) m_pMainWnd->setGeometry(pScreen->availableGeometry());
    m_pMainWnd->showMaximized();
    m_pMainWnd->UpdateCommandStates();
    OpenStartupProgram(arguments);
    return true;
}

CMultiDocTemplate* CTorvanApp::AddDocTemplate(CMultiDocTemplate* pTemplate) {
    m_templates.emplace_back(pTemplate);
    return pTemplate;
}

void CTorvanApp::SetUpMenus() {
    CMainFrame* pFrame = m_pMainWnd;
    m_templates[0]->m_pMenuShared = pFrame->LoadDocumentMenu();
    CMenuSet* pDefault = pFrame->LoadDefaultMenu();
    for (CMultiDocTemplate* pTemplate :
         {m_pSerialTemplate, m_pCVarWatchTemplate, m_pChpMemWatchTemplate, m_pIOWatchTemplate, m_pMemWatchTemplate,
          m_pRegWatchTemplate, m_templates[1].get()})
        pTemplate->m_pMenuShared = pFrame->LoadDocumentMenu();
    // The timing window shows menu 3 without images.
    m_pTimingTemplate->m_pMenuShared = pFrame->LoadPlainDocumentMenu();
    pFrame->SetDefaultMenu(pDefault);
}

void CTorvanApp::OpenStartupProgram(const QStringList& arguments) {
    const QString commandLine = arguments.join(QLatin1Char(' '));
    if (!commandLine.isEmpty()) {
        OpenDocumentFile(commandLine);
        return;
    }
    // A record that is not a regular file is no record.
    QFile file;
    if (!OpenRegularFile(file, StartupCfgPath())) return;
    const QByteArray bytes = file.read(LastProgramRecord::kRecordSize);
    const std::string path = LastProgramRecord::PathFrom(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!path.empty()) OpenDocumentFile(QFile::decodeName(QByteArray::fromStdString(path)));
}

CTorvanDoc* CTorvanApp::GetDocument() const {
    // A document whose last window has closed is on its way out.
    return m_pDocument != nullptr && !m_pDocument->GetViews().isEmpty() ? m_pDocument.data() : nullptr;
}

CTorvanDoc* CTorvanApp::OpenDocumentFile(const QString& pathGiven) {
    const QString unquoted = Unquoted(pathGiven);
    if (unquoted.isEmpty() || GetDocument() != nullptr || m_templates.empty()) return nullptr;
    // The full path is what is recorded, so the next start finds it from
    // any working folder.
    const QString path = QFileInfo(unquoted).absoluteFilePath();

    CMultiDocTemplate* pTemplate = m_templates[0].get();
    auto* pDoc = new CTorvanDoc();
    QMdiSubWindow* pFrame = pTemplate->CreateNewFrame(pDoc, nullptr);
    if (pFrame == nullptr) {
        delete pDoc;
        return nullptr;
    }
    if (!pDoc->OnOpenDocument(path)) {
        // Closing the frame removes its view, which ends the document.
        delete pFrame;
        return nullptr;
    }
    m_pDocument = pDoc;
    if (m_pMainWnd != nullptr) connect(pDoc, &CTorvanDoc::viewsChanged, m_pMainWnd, &CMainFrame::UpdateCommandStates);
    pDoc->SetPathName(path);
    AddToRecentFileList(pDoc->GetPathName());
    pTemplate->InitialUpdateFrame(pFrame, pDoc, true);
    return pDoc;
}

void CTorvanApp::OnFileOpen() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.filters = QString::fromLatin1(kOpenFilters);
    request.defaultSuffix = QString::fromLatin1(kOpenDefaultSuffix);
    const QString path = RunFileDialog(request);
    if (!path.isEmpty()) OpenDocumentFile(path);
}

void CTorvanApp::OnAppAbout() {
    CAboutDlg dialog(m_pMainWnd);
    dialog.exec();
}

void CTorvanApp::OnOpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.size()) return;
    const QString path = m_recentFiles.at(index);
    if (OpenDocumentFile(path) == nullptr && GetDocument() == nullptr) {
        // An entry that no longer opens leaves the list.
        m_recentFiles.removeAll(path);
        SaveRecentFiles();
    }
}

int CTorvanApp::RecentFileIndex(int nID) {
    const int index = nID - ID_FILE_MRU_FILE1;
    return index >= 0 && index < kMaxRecentFiles ? index : -1;
}

bool CTorvanApp::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    const int recentIndex = RecentFileIndex(nID);
    const bool bRecent = recentIndex >= 0;
    if (nID != ID_FILE_OPEN && nID != ID_APP_ABOUT && !bRecent) return false;
    if (pCmdUI != nullptr) {
        if (bRecent) pCmdUI->Enable(recentIndex < m_recentFiles.size());
        return true;
    }
    if (nID == ID_FILE_OPEN) OnFileOpen();
    else if (nID == ID_APP_ABOUT) OnAppAbout();
    else OnOpenRecentFile(recentIndex);
    return true;
}

void CTorvanApp::AddToRecentFileList(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kMaxRecentFiles) m_recentFiles.removeLast();
    SaveRecentFiles();
}

void CTorvanApp::LoadRecentFiles() {
    QSettings settings;
    settings.beginGroup(QLatin1String(kRecentGroup));
    m_recentFiles.clear();
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString path = settings.value(QString::fromLatin1(kRecentKey).arg(i)).toString();
        if (!path.isEmpty() && !m_recentFiles.contains(path)) m_recentFiles.append(path);
    }
}

void CTorvanApp::SaveRecentFiles() const {
    QSettings settings;
    settings.beginGroup(QLatin1String(kRecentGroup));
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString key = QString::fromLatin1(kRecentKey).arg(i);
        if (i <= m_recentFiles.size()) settings.setValue(key, m_recentFiles.at(i - 1));
        else settings.remove(key);
    }
}
