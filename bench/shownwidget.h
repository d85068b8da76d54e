#pragma once

class QWidget;

// Shows a top-level widget and handles events until it is exposed, laid out and painted,
// so that what is measured next meets the widget as a user's screen holds it.
void showAndSettle(QWidget &widget);
