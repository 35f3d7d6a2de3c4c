// The program's WebAssembly is inside the page, so it is compiled from there: fetching its data
// address would be a request, which the page's policy refuses.
Module['instantiateWasm'] = (imports, receiveInstance) => {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports)
      .then((result) => receiveInstance(result.instance, result.module));
  return {};
};
