#include "app/MatchDlg.h"

TRENVIK_PUBLISHED(TMatchDlg) {
  P.Field("Panel1", &TMatchDlg::Panel1);
  P.Field("OKBtn", &TMatchDlg::OKBtn);
  P.Field("SkipBtn", &TMatchDlg::SkipBtn);
  P.Field("CancelBtn", &TMatchDlg::CancelBtn);
  P.Field("PageControl1", &TMatchDlg::PageControl1);
  P.Field("TabSheet1", &TMatchDlg::TabSheet1);
  P.Field("TabSheet2", &TMatchDlg::TabSheet2);
}
