#include "ClassLibrary.h"

#include "Application.h"
#include "BevelButton.h"
#include "Control.h"
#include "FolderItem.h"
#include "HTMLViewer.h"
#include "RectControl.h"
#include "Screen.h"
#include "Separator.h"
#include "TextField.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"
#include "Window.h"
#include "WindowSupport.h"

#include "runtime/Delegate.h"
#include "runtime/Exceptions.h"

namespace cl {

namespace {

template <auto Lookup>
void Build()
{
    Lookup();
}

constexpr InitializationCall kCalls[] = {
    &Application::ctblinit,
    &Window::ctblinit,
    &Windows_Init,
    &Control::ctblinit,
    &RectControl::ctblinit,
    &TextField::ctblinit,
    &HTMLViewer::ctblinit,
    &Separator::ctblinit,
    &BevelButton::ctblinit,
    &Build<&FolderItem::Lookup>,
    &Build<&TextInputStream::Lookup>,
    &Build<&TextOutputStream::Lookup>,
    &Build<&ScreenInfo::Lookup>,
    &Build<&rt::Delegate::Lookup>,
    &Build<&rt::RuntimeException::Lookup>,
    &Build<&rt::NilObjectException::Lookup>,
    &Build<&rt::IOException::Lookup>,
    &Build<&rt::EndException::Lookup>,
    &Build<&rt::ThreadEndException::Lookup>,
    &Build<&rt::UnsupportedOperationException::Lookup>,
};

} // namespace

std::span<const InitializationCall> ClassLibraryInitializationCalls()
{
    return kCalls;
}

} // namespace cl
