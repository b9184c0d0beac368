unit Overloads;

interface

type
  TList1 = class
    procedure Add(A: Integer); overload;
    procedure Add(const S: string); overload;
    class procedure Reset;
  end;

function Twice(A: Integer): Integer;

implementation

// procedure Old;

procedure TList1.Add(A: Integer);
begin
  ProcedureCount := 0;
end;

procedure TList1.Add(const S: string);
begin
end;

class procedure TList1.Reset;
begin
end;

	function	Twice(A: Integer): Integer;
begin
  Result := 2 * A;
end;

end.
