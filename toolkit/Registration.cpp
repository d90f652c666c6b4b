#include "toolkit/Controls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Kinds.h"
#include "toolkit/StdCtrls.h"

void RegisterToolkitClasses() {
  RegisterClass(TForm::StaticClass());
  RegisterClass(TLabel::StaticClass());
  RegisterClass(TPanel::StaticClass());
  RegisterKindClasses();
}
