#include "portcombobox.h"

void PortComboBox::showPopup()
{
    emit popupAboutToShow();
    QComboBox::showPopup();
}
