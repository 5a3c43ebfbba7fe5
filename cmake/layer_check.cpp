// Linked with one folder's library and the libraries it declares, and nothing else: the link
// fails when that folder calls into a folder it must not know.
