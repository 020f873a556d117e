"""Serves a built site/ folder on this computer only, with the types a
browser needs for the module and the manifest.
  serve.py FOLDER [PORT]     prints the address, serves until stopped"""
import contextlib
import functools
import http.server
import sys
import threading


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json',
                      '.js': 'text/javascript'}

    def log_message(self, *args):
        pass


def server(folder, port=0):
    return http.server.ThreadingHTTPServer(('127.0.0.1', port), functools.partial(Handler, directory=folder))


@contextlib.contextmanager
def served(folder):
    """The folder on a free local port, in the background; yields the
    server and its address."""
    httpd = server(folder)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    try:
        yield httpd, f'http://127.0.0.1:{httpd.server_address[1]}/'
    finally:
        httpd.shutdown()
        httpd.server_close()


if __name__ == '__main__':
    httpd = server(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 0)
    print(f'Radixor is at http://127.0.0.1:{httpd.server_address[1]}/ (Ctrl+C stops it)', flush=True)
    with contextlib.suppress(KeyboardInterrupt):
        httpd.serve_forever()
