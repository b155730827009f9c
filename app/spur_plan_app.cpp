#include "app/spur_plan_app.h"

#include "app/about_dlg.h"
#include "app/measured_spectrum_prompts.h"
#include "app/plan_work_actions.h"
#include "dialog/clean_map_window.h"
#include "dialog/converter_window.h"
#include "dialog/spectrum_window.h"
#include "dialog/spur_plan_dlg.h"
#include "dialog/spur_table_window.h"

namespace quorvel {

CSpurPlanApp::CSpurPlanApp(const PlanFields& initial, QByteArray planFile, QString planProblem,
                           SpurModel model)
    : m_initial(initial),
      m_model(std::move(model)),
      m_planFile(std::move(planFile)),
      m_planProblem(std::move(planProblem)) {}

bool CSpurPlanApp::InitInstance() {
    CSpurPlanDlg dlg(nullptr, m_initial);
    dlg.SetAboutBoxHandler([this] { OnHelp(); });
    dlg.SetModel(m_model);
    InstallPlanWork(dlg, m_planFile, m_planProblem);
    InstallSpurTable(dlg);
    InstallCleanMap(dlg);
    InstallConverterWindow(dlg);
    InstallSpectrumWindow(dlg, StandardMeasuredSpectrumPrompts());
    m_pMainWnd = &dlg;
    dlg.exec();  // OK and Cancel end the program alike
    m_pMainWnd = nullptr;
    return false;
}

void CSpurPlanApp::OnHelp() {
    ShowAboutBox(m_pMainWnd);
}

void CSpurPlanApp::ShowAboutBox(QWidget* owner) {
    CAboutDlg about(owner);
    about.exec();
}

}  // namespace quorvel
