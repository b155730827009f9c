// Builds a dialog's controls from its template: one widget per control, at the pixel
// rectangle its dialog units give, created in template order so that the focus chain
// follows the tab order.
#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "res/dialog_template.h"

namespace quorvel {

class TemplateWidgets {
  public:
    /// The widget of the control with `id`; null for unknown ids and for labels.
    QWidget* Control(int id) const;

    template <typename Widget>
    Widget* As(int id) const {
        return qobject_cast<Widget*>(Control(id));
    }

    void Add(int id, QWidget* widget) { byId_.emplace_back(id, widget); }

  private:
    std::vector<std::pair<int, QWidget*>> byId_;
};

/// Creates the controls of `dialogTemplate` as children of `parent` and places them.
TemplateWidgets BuildTemplateControls(const DialogTemplate& dialogTemplate, QWidget& parent);

}  // namespace quorvel
