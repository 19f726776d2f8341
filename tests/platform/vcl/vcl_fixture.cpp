#include "platform/vcl/vcl_fixture.h"

namespace qv::test {

TTestForm::TTestForm() {
  form = CreateUnowned<TForm>();
  form->SetName("frmTest");
  form->SetBounds(0, 0, 400, 300);
  auto edit = [&](TWinControl* parent, const char* name, int top) {
    TEdit* e = Create<TEdit>(form.get());
    e->SetName(name);
    e->SetParent(parent);
    e->SetTop(top);
    Record(e);
    return e;
  };
  edName = edit(form.get(), "edName", 10);
  edCode = edit(form.get(), "edCode", 40);
  pnlRange = Create<TPanel>(form.get());
  pnlRange->SetName("pnlRange");
  pnlRange->SetParent(form.get());
  pnlRange->SetBounds(10, 80, 300, 60);
  Record(pnlRange);
  edBegin = edit(pnlRange, "edBegin", 5);
  edFinal = edit(pnlRange, "edFinal", 30);
  btnOk = Create<TButton>(form.get());
  btnOk->SetName("btnOk");
  btnOk->SetParent(form.get());
  btnOk->SetModalResult(mrOk);
  btnOk->SetDefault(true);
  Record(btnOk);
  btnCancel = Create<TButton>(form.get());
  btnCancel->SetName("btnCancel");
  btnCancel->SetParent(form.get());
  btnCancel->SetModalResult(mrCancel);
  btnCancel->SetCancel(true);
  Record(btnCancel);
}

void TTestForm::Record(TWinControl* control) {
  control->OnEnter = [this, control](TObject*) { journal.push_back("enter " + control->Name()); };
  control->OnExit = [this, control](TObject*) { journal.push_back("exit " + control->Name()); };
}

}  // namespace qv::test
