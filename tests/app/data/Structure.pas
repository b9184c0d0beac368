unit Structure;

interface

type
  TForm1 = class(TForm)
    procedure Button1Click(Sender: TObject);
    procedure Button1MouseEnter(Sender: TObject);
    procedure Timer1Timer(Sender: TObject);
  end;

implementation

procedure TForm1.Button1Click(Sender: TObject);
begin
end;

procedure TForm1.Button1MouseEnter(Sender: TObject);
begin
end;

procedure TForm1.Timer1Timer(Sender: TObject);
begin
end;

end.
