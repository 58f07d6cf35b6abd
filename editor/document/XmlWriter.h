#pragma once
// The serialiser of built XML trees: UTF-16 text with tab indentation, read back by XmlLoadFile.
#include <string>
#include "XmlDocument.h"

// Appends node and what is below it at depth tabs; a negative depth writes only the children.
void XmlWriteNode(const XmlNode* node, std::wstring& out, int depth);
// The header and the top-level nodes, with the byte-order mark. False on any failure; the file
// then keeps its old content.
bool XmlSaveFile(XmlDocument* document, const wchar_t* path);
