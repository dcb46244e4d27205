"""A static server for the web sound tests, on 127.0.0.1 only: it serves
the folder it is started in and writes what a page PUTs to /put/NAME into
NAME there. It writes its port to the file named on its command line."""
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".js": "text/javascript"}

    def do_PUT(self):
        name = os.path.basename(self.path[len("/put/"):]) if self.path.startswith("/put/") else ""
        if not name:
            self.send_error(404)
            return
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with open(name + ".part", "wb") as out:
            out.write(body)
        os.replace(name + ".part", name)
        self.send_response(204)
        self.end_headers()

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[1] + ".part", "w") as out:
    out.write(str(server.server_address[1]))
os.replace(sys.argv[1] + ".part", sys.argv[1])
server.serve_forever()
