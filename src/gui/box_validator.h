#pragma once

#include <QValidator>
#include <functional>
#include <string_view>

namespace drav::gui {

// Lets a box take only the texts a rule of the entry logic accepts, so junk is refused
// as it is typed or pasted. Texts set by the program are not checked.
class BoxValidator : public QValidator {
  Q_OBJECT
 public:
  BoxValidator(std::function<bool(std::string_view)> rule, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  std::function<bool(std::string_view)> rule_;
};

}  // namespace drav::gui
