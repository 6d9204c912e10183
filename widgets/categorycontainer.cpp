#include "categorycontainer.h"

CategoryContainer::CategoryContainer(QWidget* parent) : QFrame(parent) {}

CategoryContainer::~CategoryContainer() = default;
