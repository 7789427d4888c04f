// The program's five window kinds and the classes that make them.
#include "Windows.h"

#include "Form.h"
#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "Form5.h"

namespace shell {

void registerWindowKinds()
{
    using platform::FormKind;
    using platform::Forms;
    Forms::registerKind(FormKind::Form1, [] { return new Form1; });
    Forms::registerKind(FormKind::Form2, [] { return new Form2; });
    Forms::registerKind(FormKind::Form3, [] { return new Form3; });
    Forms::registerKind(FormKind::Form4, [] { return new Form4; });
    Forms::registerKind(FormKind::Form5, [] { return new Form5; });
}

} // namespace shell
