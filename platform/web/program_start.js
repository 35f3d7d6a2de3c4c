// The program's WebAssembly is inside the page, so it is compiled from there: fetching its data
// address would be a request, which the page's policy refuses. Browsers that decode base64
// natively do it several times faster than the runtime's own loop over the text.
Module['instantiateWasm'] = (imports, receiveInstance) => {
  const base64 = wasmBinaryFile.slice(wasmBinaryFile.indexOf(',') + 1);
  const bytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64)
                                      : tryParseAsDataURI(wasmBinaryFile);
  WebAssembly.instantiate(bytes, imports)
      .then((result) => receiveInstance(result.instance, result.module));
  return {};
};
