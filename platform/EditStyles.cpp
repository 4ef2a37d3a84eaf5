#include "platform/EditStyles.h"

#include <QLineEdit>
#include <QValidator>

namespace {
// A validator may rewrite what it is given; this one only changes the case.
class CUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};
}  // namespace

void SetUpperCase(QLineEdit* pEdit) { pEdit->setValidator(new CUpperCaseValidator(pEdit)); }
