#pragma once
// The printer as the style engine needs it: choosing one of the installed printers, writing
// the page set-up into its device settings, and the device metrics the renderer and the
// preview sheet are laid out with. gui/ implements it with QPrinter; tests with a fake.
namespace velmora {

enum class Orientation { kPortrait, kLandscape };

class Printer {
public:
    virtual ~Printer() = default;

    virtual int PrinterCount() const = 0;
    // The index of the selected printer; -1 when none is installed.
    virtual int CurrentIndex() const = 0;
    virtual void SelectPrinter(int index) = 0;

    // Device settings of the selected printer; each takes effect at once.
    virtual void SetPaperCode(int code) = 0;  // the Windows paper code, passed unchanged
    virtual void SetPaperSource(int source) = 0;
    virtual void SetCopies(int copies) = 0;
    virtual void SetOrientation(Orientation orientation) = 0;

    // Device metrics of the selected printer: dots per inch, and lengths in device units.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    virtual int PhysicalOffsetX() const = 0;  // from the paper edge to the printable area
    virtual int PhysicalOffsetY() const = 0;
    virtual int PhysicalWidth() const = 0;  // the whole sheet
    virtual int PhysicalHeight() const = 0;
    virtual int PageWidth() const = 0;  // the printable area
    virtual int PageHeight() const = 0;

    // Dots per inch of the screen the preview is shown on.
    virtual int ScreenDpiX() const = 0;
    virtual int ScreenDpiY() const = 0;
};

}  // namespace velmora
