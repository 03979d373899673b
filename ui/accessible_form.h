// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAccessibleInterface;
class QObject;
class QString;

namespace mandati {

// A frame that draws nothing: an area of the window holding controls.
class FormArea : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;
};

// Assistive tools see the window and its areas with the controls they show: the hidden ones
// (the votes and remainder columns, the quotation) hold data for the program only and are left
// out of the tree. Installed once, by the first window.
void InstallFormAccessibility();

}  // namespace mandati
