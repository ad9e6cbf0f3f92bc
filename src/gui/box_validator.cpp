#include "gui/box_validator.h"

#include "gui/text_codec.h"

namespace drav::gui {

BoxValidator::BoxValidator(std::function<bool(std::string_view)> rule, QObject* parent)
    : QValidator(parent), rule_(std::move(rule)) {}

QValidator::State BoxValidator::validate(QString& input, int&) const {
  return rule_(FromQt(input)) ? Acceptable : Invalid;
}

}  // namespace drav::gui
