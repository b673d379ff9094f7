#pragma once

class BarCodePicture;

// The system clipboard, as the platform's Clipboard object: cleared, then given a picture.
class Clipboard {
public:
    static void Clear();
    // Places the picture as a Windows metafile (image/x-wmf, and under the name office suites
    // look for), and as PNG and SVG for the programs that take no metafile.
    static void SetData(const BarCodePicture& picture);
};
